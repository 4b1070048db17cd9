#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

// The main window's status bar: three panels without bevels, 140, 160 and 140 pixels wide,
// side by side from the left edge. They are placed by hand, because the status bar's own layout
// adds spacing and margins that move them, and they use the window font.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> PanelWidths = {140, 160, 140};
    // Room the text leaves on the left of its panel.
    static constexpr int TextIndent = 2;

    explicit TStatusBar(QWidget* parent = nullptr);

    QLabel& Panel(int index) const { return *Panels[static_cast<std::size_t>(index)]; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The window font: 11 pixels high. Its metrics stand in for the original bitmap sans serif,
    // which no free font matches; the narrow cut keeps the widest texts (ten-digit positions
    // and distances) inside their panels.
    static QFont WindowFont();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<QLabel*, 3> Panels{};
};
