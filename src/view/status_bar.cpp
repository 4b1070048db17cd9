#include "view/status_bar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>

QFont TStatusBar::WindowFont() {
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setFont(WindowFont());
    setSizeGripEnabled(false);
    int left = 0;
    for (std::size_t i = 0; i < Panels.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setContentsMargins(TextIndent, 0, 0, 0);
        panel->setGeometry(left, 0, PanelWidths[i], sizeHint().height());
        left += PanelWidths[i];
        Panels[i] = panel;
    }
}

QSize TStatusBar::sizeHint() const {
    // One line of the window font with a little room above and below, as a status bar has.
    const int height = QFontMetrics(font()).height() + 6;
    return {PanelWidths[0] + PanelWidths[1] + PanelWidths[2], height};
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    for (QLabel* panel : Panels) {
        panel->resize(panel->width(), height());
    }
}
