#include "view/paint_cells.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include <algorithm>

namespace {

constexpr quint32 NotLookedUp = 0xFFFFFFFFu;

} // namespace

QFont MakeGridFont() {
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

TFontMetrics MeasureFont(const QFont& font) {
    const QFontMetrics fm(font);
    return {fm.horizontalAdvance(QStringLiteral("0")), fm.height()};
}

QRgb ButtonFaceColor() {
    return QGuiApplication::palette().color(QPalette::Button).rgb();
}

QRgb ButtonShadowColor() {
    return QGuiApplication::palette().color(QPalette::Dark).rgb();
}

TCellPainter::TCellPainter(const TGridGeometry& geo, const QFont& font)
    : Geo(geo), GridFont(font), Raw(QRawFont::fromFont(font)), Measured(MeasureFont(font)),
      Ascent(QFontMetrics(font).ascent()), GlyphCache(0x10000, NotLookedUp) {}

void TCellPainter::LayoutChanged(int screenWidth) {
    if (screenWidth <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        screenWidth = screen != nullptr ? screen->geometry().width() : 0;
    }
    Line = QImage();
    EnsureLineImage(std::max(screenWidth, 1));
}

void TCellPainter::EnsureLineImage(int width) {
    const int height = std::max(Geo.LineHeight, 1);
    if (Line.height() == height && Line.width() >= width) {
        return;
    }
    Line = QImage(std::max(width, Line.width()), height, QImage::Format_RGB32);
    Line.fill(Qt::white);
}

int TCellPainter::Shape(QStringView text) {
    const auto n = static_cast<std::size_t>(text.size());
    if (Glyphs.size() < n) {
        Glyphs.resize(n);
        Positions.resize(n);
    }
    int count = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const char16_t c = text[static_cast<qsizetype>(k)].unicode();
        if (c == u' ') {
            continue; // blank: the background already shows it
        }
        quint32& glyph = GlyphCache[c];
        if (glyph == NotLookedUp) {
            const QChar ch(c);
            quint32 index = 0;
            int found = 1;
            if (!Raw.glyphIndexesForChars(&ch, 1, &index, &found) || found != 1) {
                index = 0;
            }
            glyph = index;
        }
        Glyphs[count] = glyph;
        Positions[count] = QPointF(static_cast<qreal>(k) * Geo.CharWidth, 0);
        ++count;
    }
    return count;
}

void TCellPainter::DrawShaped(QPainter& p, int x, int y, int count, QRgb fg) {
    if (count == 0) {
        return;
    }
    QGlyphRun run;
    run.setRawFont(Raw);
    run.setRawData(Glyphs.data(), Positions.data(), count);
    p.setPen(QColor(fg));
    p.drawGlyphRun(QPointF(x, y + Ascent), run);
}

void TCellPainter::DrawText(QPainter& target, int x, int y, QStringView text, QRgb fg, QRgb bg) {
    target.fillRect(x, y, static_cast<int>(text.size()) * Geo.CharWidth, Geo.CharHeight,
                    QColor(bg));
    DrawShaped(target, x, y, Shape(text), fg);
}

void TCellPainter::PaintRun(QPainter& p, int ox, int oy, QStringView text,
                            std::span<const TCellColors> colors, QRgb separator) {
    const int n = static_cast<int>(text.size());
    const int cw = Geo.CharWidth;
    const int rows = Geo.LineHeight - 1;
    const int textLeft = ox + Geo.GapLeft;
    const int xr = textLeft + n * cw + Geo.GapRight;

    // Uniform runs are the common case: one fill and one text call.
    bool uniform = true;
    for (int j = 1; j <= n && uniform; ++j) {
        uniform = colors[j].Fg == colors[1].Fg;
    }
    for (int j = 1; j <= n + 1 && uniform; ++j) {
        uniform = colors[j].Bg == colors[0].Bg;
    }
    if (uniform) {
        p.fillRect(ox, oy, xr - ox, rows, QColor(colors[0].Bg));
        if (n > 0) {
            DrawShaped(p, textLeft, oy, Shape(text), colors[1].Fg);
        }
    } else {
        p.fillRect(ox, oy, Geo.GapLeft, rows, QColor(colors[0].Bg));
        for (int j = 1; j <= n; ++j) {
            const int boxLeft = textLeft + (j - 1) * cw;
            p.fillRect(boxLeft, oy, cw, rows, QColor(colors[j].Bg));
            DrawShaped(p, boxLeft, oy, Shape(text.sliced(j - 1, 1)), colors[j].Fg);
        }
        p.fillRect(textLeft + n * cw, oy, Geo.GapRight, rows, QColor(colors[n + 1].Bg));
    }

    const QColor sep(separator);
    p.fillRect(ox, oy + rows, xr - ox, 1, sep);
    p.fillRect(xr, oy, 1, Geo.LineHeight, sep);
}

void TCellPainter::PaintCells(QPainter& target, int x, int y, bool viaBitmap, QStringView text,
                              std::span<const TCellColors> colors, QRgb separator) {
    if (colors.size() < static_cast<std::size_t>(text.size()) + 2 || Geo.LineHeight <= 0) {
        return; // a caller bug; drawing garbage colours would hide it less well than nothing
    }
    if (!viaBitmap) {
        PaintRun(target, x, y, text, colors, separator);
        return;
    }
    const int width = (static_cast<int>(text.size()) + 1) * Geo.CharWidth;
    EnsureLineImage(width);
    {
        QPainter p(&Line);
        PaintRun(p, 0, 0, text, colors, separator);
    }
    target.drawImage(QPoint(x, y), Line, QRect(0, 0, width, Geo.LineHeight));
}
