#include "view/lumo_main_panel.h"

#include "core/editor_state.h"
#include "view/lumo_box.h"
#include "view/paint_cells.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPaintEvent>
#include <QPainter>

#include <vector>

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);

} // namespace

TLumoMainPanel::TLumoMainPanel(TEditorState& state, TCellPainter& cells, QWidget* parent)
    : QFrame(parent), State(state), Cells(cells) {
    // The ruler and the view cover everything: no erasing, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

QString TLumoMainPanel::AddressText(std::int64_t line, std::int32_t digits, bool hex) {
    QString number = QString::number(line, hex ? 16 : 10).toUpper();
    return number.rightJustified(digits - 1, u'0') + u'0';
}

QString TLumoMainPanel::ColumnHeaderText(std::int32_t column, std::int32_t charsPerCell) {
    return QString::number(column, 16).toUpper().rightJustified(charsPerCell, u' ');
}

QString TLumoMainPanel::CharHeaderText(std::int32_t bytesPerLine) {
    QString text;
    for (std::int32_t a = 0; a < bytesPerLine; ++a) {
        text += QString::number(a, 16).toUpper();
    }
    return text + QStringLiteral("    ");
}

void TLumoMainPanel::PaintRuler(QPainter& target) {
    const TGridGeometry& g = State.Geo;
    if (g.LineHeight <= 0 || g.CharWidth <= 0) {
        return;
    }
    const QRgb face = ButtonFaceColor();
    const QRgb shadow = ButtonShadowColor();
    std::vector<TCellColors> colors;
    const auto cell = [&](int x, int y, const QString& text) {
        colors.assign(static_cast<std::size_t>(text.size()) + 2, {Black, face});
        Cells.PaintCells(target, x, y, true, text, colors, shadow);
    };

    cell(0, 0, QString(g.AddressDigits, u' '));
    for (std::int32_t i = 1; i <= g.VisibleLines; ++i) {
        const std::int64_t line = static_cast<std::int64_t>(g.TopLine) + i - 1;
        cell(0, i * g.LineHeight, AddressText(line, g.AddressDigits, g.HexMode));
    }
    for (std::int32_t a = 0; a < g.BytesPerLine; ++a) {
        cell(g.AddressColumnWidth + a * g.CellWidth, 0, ColumnHeaderText(a, g.CharsPerCell));
    }
    cell(g.AddressColumnWidth + g.BytesPerLine * g.CellWidth, 0, CharHeaderText(g.BytesPerLine));
}

void TLumoMainPanel::SetClientSize(int width, int height) {
    const QMargins m = contentsMargins();
    resize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void TLumoMainPanel::PlaceView(TLumoBox& view) const {
    view.move(ClientOrigin() + QPoint(State.Geo.AddressColumnWidth, State.Geo.LineHeight));
}

void TLumoMainPanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), FillColor);
    drawFrame(&p);
    const QRect client = contentsRect();
    p.setClipRect(client);
    p.translate(client.topLeft());
    PaintRuler(p);
}

void TLumoMainPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (OnDropFiles && !DroppedFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void TLumoMainPanel::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (OnDropFiles && !files.empty()) {
        event->acceptProposedAction();
        OnDropFiles(files);
    }
}

void ViewScrolled(TLumoBox& view, TLumoMainPanel& panel, std::int32_t& lastTopLine) {
    const std::int32_t top = view.VScrollBar.GetPosition();
    view.ScrollLines(lastTopLine - top);
    // Painting the panel now flushes the view's uncovered strip in the same pass.
    panel.repaint();
    lastTopLine = top;
}
