#include "view/lumo_box.h"

#include "core/editor_state.h"
#include "files/file_names.h"
#include "view/display_char.h"
#include "view/paint_cells.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>

namespace {

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);

QRgb ToQRgb(TRgb c) {
    return qRgb(c.R, c.G, c.B);
}

constexpr char16_t HexDigits[] = u"0123456789ABCDEF";

// The number text of a byte into out (2 or 3 characters).
void NumberText(std::uint8_t value, bool hex, char16_t* out) {
    if (hex) {
        out[0] = HexDigits[value >> 4];
        out[1] = HexDigits[value & 15];
    } else {
        out[0] = static_cast<char16_t>(u'0' + value / 100);
        out[1] = static_cast<char16_t>(u'0' + value / 10 % 10);
        out[2] = static_cast<char16_t>(u'0' + value % 10);
    }
}

// Longest line of the grid: 16 bytes of two digits, or 10 of three.
constexpr int MaxBytesPerLine = 16;
constexpr int MaxCellChars = 3;
constexpr int MaxLineText = 1 + MaxBytesPerLine * (MaxCellChars + 1) + MaxBytesPerLine + 1;

} // namespace

std::vector<std::string> DroppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    // The raw list keeps names that are no UTF-8; QUrl would turn their bytes into U+FFFD.
    const QByteArray uriList = data->data(QStringLiteral("text/uri-list"));
    if (!uriList.isEmpty()) {
        return LocalFilesOfUriList(uriList.toStdString());
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return files;
}

TLumoBox::TLumoBox(TEditorState& state, TCellPainter& cells, QWidget* parent)
    : QAbstractScrollArea(parent), VScrollBar(*this, Qt::Vertical, &state.Geo.TopLine),
      State(state), Cells(cells) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Paints cover the whole client area, so nothing is erased first and scrolling can move
    // the pixels already shown.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    // Keys go to the window, never to the grid.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    SetBorderStyle(TBorderStyle::Single);
    resize(185, 41);
}

TLumoBox::~TLumoBox() = default;

void TLumoBox::SetBorderStyle(TBorderStyle style) {
    Border = style;
    if (style == TBorderStyle::Single) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void TLumoBox::DrawNumberCell(QPainter& target, std::int32_t index, bool viaBitmap) {
    const TGridGeometry& g = State.Geo;
    const TByteDocument& d = State.Doc;
    const TViewOrigin origin = g.CellOrigin(index);
    if (!origin.Visible) {
        return;
    }
    const int n = g.BytesPerLine;
    const int c = g.CharsPerCell;
    std::array<char16_t, MaxCellChars> text{u' ', u' ', u' '};
    std::array<TCellColors, MaxCellChars + 2> colors;
    if (index < d.Size) {
        NumberText(d.Data[index], g.HexMode, text.data());
        colors.fill({Black, ToQRgb(MarkColor(d.Marks[index]))});
        const int col = g.CursorColumn;
        if (col >= 0 && index / n == g.CursorLine) {
            if (!g.InCharArea(col)) {
                if (index % n == col / c && g.CursorVisible) {
                    colors[1 + col % c] = {White, Black};
                }
            } else if (index % n == col - g.NumberColumns()) {
                colors.fill({White, ToQRgb(MarkCursorColor(d.Marks[index]))});
            }
        }
    } else {
        colors.fill({Black, White});
    }
    Cells.PaintCells(target, origin.X, origin.Y, viaBitmap, QStringView(text.data(), c),
                     std::span(colors.data(), c + 2), ButtonFaceColor());
}

void TLumoBox::DrawCharLine(QPainter& target, std::int32_t index, bool viaBitmap) {
    const TGridGeometry& g = State.Geo;
    const TByteDocument& d = State.Doc;
    const TViewOrigin origin = g.CharLineOrigin(index);
    if (!origin.Visible) {
        return;
    }
    const int n = g.BytesPerLine;
    const std::int32_t s = index - index % n;
    std::array<char16_t, MaxBytesPerLine> text;
    std::array<TCellColors, MaxBytesPerLine + 2> colors;
    colors[0] = colors[n + 1] = {Black, White};
    for (int i = 0; i < n; ++i) {
        if (s + i < d.Size) {
            text[i] = DisplayChar(d.Data[s + i], false, State.Settings.NoUnknown);
            colors[i + 1] = {Black, ToQRgb(MarkColor(d.Marks[s + i]))};
        } else {
            text[i] = u' ';
            colors[i + 1] = {Black, White};
        }
    }
    const int col = g.CursorColumn;
    if (col >= 0 && s / n == g.CursorLine) {
        if (!g.InCharArea(col)) {
            const int b = col / g.CharsPerCell;
            if (s + b < d.Size) {
                colors[b + 1] = {White, ToQRgb(MarkCursorColor(d.Marks[s + b]))};
            }
        } else if (g.CursorVisible) {
            const int b = col - g.NumberColumns();
            if (s + b < d.Size) {
                colors[b + 1] = {White, Black};
            }
        }
    }
    Cells.PaintCells(target, origin.X, origin.Y, viaBitmap, QStringView(text.data(), n),
                     std::span(colors.data(), n + 2), ButtonFaceColor());
}

void TLumoBox::PaintUniformLine(QPainter& target, std::int32_t row, std::uint8_t mark) {
    const TGridGeometry& g = State.Geo;
    const TByteDocument& d = State.Doc;
    const int n = g.BytesPerLine;
    const int c = g.CharsPerCell;
    const std::int64_t s = (static_cast<std::int64_t>(g.TopLine) + row) * n;
    const int y = row * g.LineHeight;

    // A space, every number text followed by a space, every character, a final space: the
    // spaces fall exactly on the gaps and separators between the cells.
    std::array<char16_t, MaxLineText> text;
    int k = 0;
    text[k++] = u' ';
    for (int i = 0; i < n; ++i) {
        if (s + i < d.Size) {
            NumberText(d.Data[s + i], g.HexMode, &text[k]);
        } else {
            std::fill_n(&text[k], c, u' ');
        }
        k += c;
        text[k++] = u' ';
    }
    for (int i = 0; i < n; ++i) {
        text[k++] =
            s + i < d.Size ? DisplayChar(d.Data[s + i], false, State.Settings.NoUnknown) : u' ';
    }
    text[k++] = u' ';
    Cells.DrawText(target, g.GapLeft - g.CharWidth, y, QStringView(text.data(), k), Black,
                   ToQRgb(MarkColor(mark)));

    const int charLeft = n * g.CellWidth;
    const int right = charLeft + g.CharAreaWidth - 1;
    if (mark != 0) {
        target.fillRect(charLeft, y, g.GapLeft, g.LineHeight - 1, Qt::white);
        target.fillRect(right - g.GapRight, y, g.GapRight + 1, g.LineHeight - 1, Qt::white);
    }
    const QColor face(ButtonFaceColor());
    for (int b = 1; b <= n; ++b) {
        target.fillRect(b * g.CellWidth - 1, y, 1, g.LineHeight, face);
    }
    target.fillRect(right, y, 1, g.LineHeight, face);
    target.fillRect(0, y + g.LineHeight - 1, right, 1, face);
}

void TLumoBox::PaintLineCells(QPainter& target, std::int32_t line) {
    const std::int32_t n = State.Geo.BytesPerLine;
    const std::int32_t s = line * n;
    for (std::int32_t t = s; t < s + n; ++t) {
        DrawNumberCell(target, t, false);
    }
    DrawCharLine(target, s + n - 1, false);
}

void TLumoBox::PaintView(QPainter& target, const QRect& update) {
    const TGridGeometry& g = State.Geo;
    const TByteDocument& d = State.Doc;
    if (g.LineHeight <= 0 || g.CharWidth <= 0) {
        return; // no layout yet
    }
    const int n = g.BytesPerLine;
    for (int i = 0; i < g.VisibleLines; ++i) {
        const int top = i * g.LineHeight;
        if (top > update.bottom() || top + g.LineHeight - 1 < update.top()) {
            continue;
        }
        const std::int64_t line = static_cast<std::int64_t>(g.TopLine) + i;
        const std::int64_t s = line * n;
        std::uint8_t mark = 0;
        bool uniform = true;
        if (s < d.Size) {
            mark = d.Marks[s];
            const std::int64_t end = std::min<std::int64_t>(s + n, d.Size);
            uniform = std::all_of(d.Marks + s + 1, d.Marks + end,
                                  [mark](std::uint8_t m) { return m == mark; });
            // Positions past the end are white, so a marked last line is not one colour.
            uniform = uniform && (end == s + n || MarkColor(mark) == TRgb{255, 255, 255});
        }
        if (line == g.CursorLine || !uniform) {
            PaintLineCells(target, static_cast<std::int32_t>(line));
        } else {
            PaintUniformLine(target, i, mark);
        }
        ++LinesPainted;
    }
}

QRegion TLumoBox::CursorCellsArea(bool withCharLine) const {
    const TGridGeometry& g = State.Geo;
    QRegion area;
    const std::int32_t b = g.ByteIndexAt(g.CursorColumn, g.CursorLine);
    const TViewOrigin cell = g.CellOrigin(b);
    if (cell.Visible) {
        area += QRect(cell.X, cell.Y, g.CellWidth, g.LineHeight);
    }
    const TViewOrigin chars = g.CharLineOrigin(b);
    if (chars.Visible && (withCharLine || g.InCharArea(g.CursorColumn))) {
        area += QRect(chars.X, chars.Y, g.CharAreaWidth, g.LineHeight);
    }
    return area;
}

void TLumoBox::RedrawCursorCells(QPainter& target, bool show, bool withCharLine) {
    TGridGeometry& g = State.Geo;
    const std::int32_t column = g.CursorColumn;
    const std::int32_t line = g.CursorLine;
    const std::int32_t b = g.ByteIndexAt(column, line);
    const bool inChars = g.InCharArea(column);
    if (!show) {
        g.CursorColumn = -1;
        g.CursorLine = -1;
    }
    DrawNumberCell(target, b, true);
    if (inChars || withCharLine) {
        DrawCharLine(target, b, true);
    }
    g.CursorColumn = column;
    g.CursorLine = line;
}

void TLumoBox::RedrawCursorCells(bool show, bool withCharLine) {
    if (!viewport()->isVisible() || State.Geo.LineHeight <= 0) {
        return; // nothing on the screen; the next paint draws from the current state
    }
    const QRegion area = CursorCellsArea(withCharLine);
    if (area.isEmpty()) {
        return;
    }
    // Widgets draw only inside paint events: repaint runs one at once, and while Immediate is
    // set it copies the composed cells instead of painting lines.
    const TImmediate request{show, withCharLine};
    Immediate = &request;
    viewport()->repaint(area);
    Immediate = nullptr;
}

void TLumoBox::InvalidateView() {
    viewport()->update();
}

void TLumoBox::BlinkCursor() {
    State.Geo.CursorVisible = !State.Geo.CursorVisible;
    RedrawCursorCells(true, true);
}

bool TLumoBox::PointerOutside(const QPoint& globalPos) const {
    const QWidget* client = viewport();
    if (QApplication::widgetAt(globalPos) != client) {
        return true;
    }
    const QPoint p = client->mapFromGlobal(globalPos);
    return p.x() < 0 || p.y() < 0 || p.x() >= client->width() || p.y() >= client->height();
}

void TLumoBox::ScrollLines(std::int32_t lines) {
    const std::int64_t dy = static_cast<std::int64_t>(lines) * State.Geo.LineHeight;
    if (dy == 0) {
        return;
    }
    if (dy >= viewport()->height() || -dy >= viewport()->height()) {
        viewport()->update(); // nothing on the screen survives
        return;
    }
    viewport()->scroll(0, static_cast<int>(dy));
}

QSize TLumoBox::OuterSize(int clientWidth, int clientHeight) const {
    const int frame = 2 * frameWidth();
    const int bar = VScrollBar.Shown() ? verticalScrollBar()->sizeHint().width() : 0;
    return {clientWidth + frame + bar, clientHeight + frame};
}

void TLumoBox::SetClientSize(int width, int height) {
    resize(OuterSize(width, height));
}

void TLumoBox::SetAcceptFiles(bool on) {
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
}

void TLumoBox::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRegion region = event->region();
    if (Immediate != nullptr) {
        const QRegion rest = region - CursorCellsArea(Immediate->WithCharLine);
        if (!rest.isEmpty()) {
            PaintView(p, rest.boundingRect());
        }
        RedrawCursorCells(p, Immediate->Show, Immediate->WithCharLine);
    } else {
        PaintView(p, region.boundingRect());
    }
    // Beyond the lines (before the first layout, or a client area larger than the grid).
    const TGridGeometry& g = State.Geo;
    const QRect grid(0, 0, std::max(g.ViewWidth() + 1, 0),
                     std::max(g.VisibleLines * g.LineHeight, 0));
    for (const QRect& r : region - QRegion(grid)) {
        p.fillRect(r, Qt::white);
    }
    PaintedArea += region;
}

void TLumoBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        OnMouseDown(*event);
    }
}

void TLumoBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) {
        OnMouseMove(*event);
    }
}

void TLumoBox::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) {
        OnMouseUp(*event);
    }
}

void TLumoBox::dragEnterEvent(QDragEnterEvent* event) {
    if (OnDropFiles && !DroppedFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void TLumoBox::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (OnDropFiles && !files.empty()) {
        event->acceptProposedAction();
        OnDropFiles(files);
    }
}
