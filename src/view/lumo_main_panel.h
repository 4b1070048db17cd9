#pragma once

#include <QColor>
#include <QFrame>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class TCellPainter;
class TEditorState;
class TLumoBox;

// The ruler panel: it frames the byte view, which sits at (AddressColumnWidth, LineHeight) of its
// client area, and paints the column header above the view and the line addresses to its left.
class TLumoMainPanel : public QFrame {
public:
    TLumoMainPanel(TEditorState& state, TCellPainter& cells, QWidget* parent = nullptr);

    // The ruler in client coordinates: the address column, the column header and the header
    // of the character area.
    void PaintRuler(QPainter& target);

    // Address of a line as the ruler writes it: the line number in the current base, padded with
    // "0" to digits - 1 places, then one "0" (so it reads as the line's first byte index).
    static QString AddressText(std::int64_t line, std::int32_t digits, bool hex);
    // Header of number column a: the digit with spaces in front up to charsPerCell places.
    static QString ColumnHeaderText(std::int32_t column, std::int32_t charsPerCell);
    // Header of the character area: one digit per column, then four spaces over the scroll bar.
    static QString CharHeaderText(std::int32_t bytesPerLine);

    // Top left of the client area inside the frame.
    QPoint ClientOrigin() const { return contentsRect().topLeft(); }
    void SetClientSize(int width, int height);
    // Puts the view at its place in the client area.
    void PlaceView(TLumoBox& view) const;

    void SetAcceptFiles(bool on) { setAcceptDrops(on); }
    std::function<void(const std::vector<std::string>&)> OnDropFiles;

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QColor FillColor{0, 128, 0}; // shows only where nothing is painted
    TEditorState& State;
    TCellPainter& Cells;
};

// The scroll bar's position changed: the pixels on the screen move by the lines between
// lastTopLine and the new TopLine, only the uncovered strip of the view and the ruler are painted,
// at once, and lastTopLine becomes the new TopLine.
void ViewScrolled(TLumoBox& view, TLumoMainPanel& panel, std::int32_t& lastTopLine);
