#pragma once

#include "core/grid_geometry.h"

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QRgb>
#include <QStringView>

#include <span>
#include <vector>

class QPainter;

// Colours of one position of a cell run.
struct TCellColors {
    QRgb Fg;
    QRgb Bg;
};

// The grid font: "Courier New" at 10 points (Liberation Mono where that is the substitute).
QFont MakeGridFont();
// CharWidth and CharHeight of a font, measured with the text "0".
TFontMetrics MeasureFont(const QFont& font);

// System colours by role, from the application palette.
QRgb ButtonFaceColor();
QRgb ButtonShadowColor();

// Draws runs of fixed-pitch character cells: a left gap, one box of CharWidth per character, a
// right gap and a separator along the right and bottom edge, every position in its own colours.
// The view, the ruler and the entry controls all draw through one instance, so their cells look
// alike. Gaps and heights come from the grid geometry; ComputeLayout must have run.
//
// Characters are placed by glyph index at exact multiples of CharWidth, without text shaping:
// every UTF-16 unit takes one box whatever the font's own advance or shaping rules would say.
class TCellPainter {
public:
    TCellPainter(const TGridGeometry& geo, const QFont& font);

    const QFont& Font() const { return GridFont; }
    // What ComputeLayout needs from the font.
    TFontMetrics Metrics() const { return Measured; }

    // Call after every ComputeLayout: the line image becomes LineHeight high and as wide as
    // screenWidth (the primary screen when 0).
    void LayoutChanged(int screenWidth = 0);
    const QImage& LineImage() const { return Line; }

    // Draws text (n characters) with colors[0 .. n+1]: position 0 is the left gap, 1 .. n the
    // characters, n+1 the right gap (the Fg of the gaps is not used). With viaBitmap the run is
    // composed in the line image and copied to (x, y) of target in one piece; otherwise it is
    // drawn on target directly. The run covers (n+1)*CharWidth columns and LineHeight rows.
    void PaintCells(QPainter& target, int x, int y, bool viaBitmap, QStringView text,
                    std::span<const TCellColors> colors, QRgb separator);

    // Draws text at fixed pitch from (x, y) on an opaque background CharHeight rows high.
    void DrawText(QPainter& target, int x, int y, QStringView text, QRgb fg, QRgb bg);

private:
    void PaintRun(QPainter& p, int ox, int oy, QStringView text,
                  std::span<const TCellColors> colors, QRgb separator);
    // Glyphs of the non-blank characters of text, placed from x = 0; returns their number.
    int Shape(QStringView text);
    void DrawShaped(QPainter& p, int x, int y, int count, QRgb fg);
    void EnsureLineImage(int width);

    const TGridGeometry& Geo;
    QFont GridFont;
    QRawFont Raw;
    TFontMetrics Measured;
    int Ascent = 0;
    QImage Line;
    std::vector<quint32> GlyphCache; // by UTF-16 unit, lazily filled
    std::vector<quint32> Glyphs;
    std::vector<QPointF> Positions;
};
