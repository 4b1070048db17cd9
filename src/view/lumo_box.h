#pragma once

#include "view/lumo_scroll_bar.h"

#include <QAbstractScrollArea>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class TCellPainter;
class TEditorState;

// Local files named by a drop, in their order, as the bytes of their names.
std::vector<std::string> DroppedFiles(const QMimeData* data);

// The byte grid: number cells and characters of every visible line, marks as backgrounds, the
// blinking cursor and its companion cell. It holds no data of its own; every paint reads the
// document and the grid geometry. The viewport is the grid's client area; the vertical scroll
// bar beside it is VScrollBar's, and its position is the grid's TopLine. The option NoUnknown of
// the settings decides how bytes without a printable character look.
class TLumoBox : public QAbstractScrollArea {
public:
    enum class TBorderStyle { None, Single };

    TLumoBox(TEditorState& state, TCellPainter& cells, QWidget* parent = nullptr);
    ~TLumoBox() override;

    TLumoScrollBar VScrollBar;

    void SetBorderStyle(TBorderStyle style);
    TBorderStyle BorderStyle() const { return Border; }

    // The cells of one byte, or the character area of its line, if the line is visible.
    void DrawNumberCell(QPainter& target, std::int32_t index, bool viaBitmap);
    void DrawCharLine(QPainter& target, std::int32_t index, bool viaBitmap);
    // Every visible line that meets the rows of update, in client coordinates.
    void PaintView(QPainter& target, const QRect& update);

    // Redraws the cursor's cells on the screen at once, with the cursor (show) or without it.
    void RedrawCursorCells(bool show, bool withCharLine);
    // The same cells onto any target, composed through the line image.
    void RedrawCursorCells(QPainter& target, bool show, bool withCharLine);
    // The whole client area is repainted at the next turn, without erasing first.
    void InvalidateView();
    // One blink: flips CursorVisible and redraws the cursor cells.
    void BlinkCursor();
    // True when the pointer at globalPos is not over the grid's client area.
    bool PointerOutside(const QPoint& globalPos) const;

    // Moves the pixels on screen by lines (positive: downwards, for a smaller TopLine) and marks
    // only the uncovered strip for repainting.
    void ScrollLines(std::int32_t lines);

    // Resizes the control so that its client area is width x height, with the scroll bar beside
    // it while the bar is shown.
    void SetClientSize(int width, int height);
    QSize OuterSize(int clientWidth, int clientHeight) const;

    void SetAcceptFiles(bool on);

    // Mouse on the client area; positions are client coordinates.
    std::function<void(QMouseEvent&)> OnMouseDown;
    std::function<void(QMouseEvent&)> OnMouseMove;
    std::function<void(QMouseEvent&)> OnMouseUp;
    std::function<void(const std::vector<std::string>&)> OnDropFiles;

    // What paint requests have drawn so far: lines, and the client area they covered.
    std::int64_t LinesPainted = 0;
    QRegion PaintedArea;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The pixels are moved by ScrollLines when the scroll position is applied.
    void scrollContentsBy(int, int) override {}

private:
    struct TImmediate {
        bool Show;
        bool WithCharLine;
    };

    QRegion CursorCellsArea(bool withCharLine) const;
    void PaintLineCells(QPainter& target, std::int32_t line);
    void PaintUniformLine(QPainter& target, std::int32_t line, std::uint8_t mark);

    TEditorState& State;
    TCellPainter& Cells;
    TBorderStyle Border = TBorderStyle::Single;
    const TImmediate* Immediate = nullptr; // set while an immediate redraw is being painted
};
