#include "view_fixture.h"

#include "view/display_char.h"

#include <QFontMetrics>
#include <QRawFont>

#include <gtest/gtest.h>

namespace {

struct CellRuns : ::testing::Test, TViewFixture {
    static constexpr QRgb Sep = qRgb(10, 20, 30);

    QImage Run(bool viaBitmap, const QString& text, const std::vector<TCellColors>& colors,
               int x = 7, int y = 5) {
        QImage image(200, 3 * Geo.LineHeight, QImage::Format_RGB32);
        image.fill(Sentinel);
        QPainter p(&image);
        Cells.PaintCells(p, x, y, viaBitmap, text, colors, Sep);
        return image;
    }
};

TEST_F(CellRuns, GridFontIsMeasuredFixedPitch) {
    const QFontMetrics fm(Cells.Font());
    EXPECT_TRUE(QFontInfo(Cells.Font()).fixedPitch());
    EXPECT_EQ(Cells.Metrics().CharWidth, fm.horizontalAdvance(QStringLiteral("W")));
    EXPECT_EQ(Geo.CharWidth, Cells.Metrics().CharWidth);
    EXPECT_EQ(Geo.LineHeight, Cells.Metrics().CharHeight + 1);
}

TEST_F(CellRuns, EveryShownCharacterHasAGlyphInTheGridFont) {
    // A missing glyph would draw the font's empty box instead of the character.
    const QRawFont raw = QRawFont::fromFont(Cells.Font());
    for (int b = 0; b < 256; ++b) {
        for (bool noUnknown : {false, true}) {
            const QChar c(DisplayChar(static_cast<std::uint8_t>(b), false, noUnknown));
            EXPECT_TRUE(raw.supportsCharacter(c)) << b;
        }
    }
}

TEST_F(CellRuns, RunCoversItsCellsAndSeparatorsOnly) {
    const QString text = QStringLiteral("0A7");
    const std::vector<TCellColors> uniform(5, {Black, Green});
    std::vector<TCellColors> mixed = uniform;
    mixed[0].Bg = Red;
    mixed[2] = {White, Black};
    mixed[4].Bg = Grey;
    const int x = 7, y = 5, cw = Geo.CharWidth, lh = Geo.LineHeight;
    const QRect run(x, y, 4 * cw, lh);
    const std::vector<TCellColors>* const sets[] = {&uniform, &mixed};
    for (const std::vector<TCellColors>* colors : sets) {
        for (bool via : {false, true}) {
            SCOPED_TRACE(testing::Message() << (colors == &mixed ? "mixed" : "uniform")
                                            << (via ? " via bitmap" : " direct"));
            const QImage image = Run(via, text, *colors);
            // Nothing outside the run, everything inside it.
            for (int py = 0; py < image.height(); ++py) {
                for (int px = 0; px < image.width(); ++px) {
                    ASSERT_EQ(image.pixel(px, py) != Sentinel, run.contains(px, py))
                        << px << "," << py;
                }
            }
            // Last column and last row are separator.
            EXPECT_TRUE(Filled(image, {run.right(), y, 1, lh}, Sep));
            EXPECT_TRUE(Filled(image, {x, run.bottom(), run.width(), 1}, Sep));
            const auto& c = *colors;
            EXPECT_TRUE(Filled(image, {x, y, Geo.GapLeft, lh - 1}, c[0].Bg));
            EXPECT_TRUE(
                Filled(image, {x + Geo.GapLeft + 3 * cw, y, Geo.GapRight, lh - 1}, c[4].Bg));
            for (int j = 1; j <= 3; ++j) {
                const QRect box(x + Geo.GapLeft + (j - 1) * cw, y, cw, lh - 1);
                EXPECT_EQ(Background(image, box), c[j].Bg) << j;
                EXPECT_GT(Ink(image, box, c[j].Fg), 0) << j;
            }
        }
    }
    EXPECT_EQ(Differences(Run(true, text, mixed), Run(false, text, mixed)), 0);
}

TEST_F(CellRuns, CharactersKeepTheirBoxesWhateverTheFontWouldDo) {
    // Soft hyphen and no-break space take one box each like any other character.
    const QString text = QString::fromUtf16(u"a\u00ADb\u00A0c");
    const std::vector<TCellColors> colors(text.size() + 2, {Black, White});
    const QImage image = Run(false, text, colors, 0, 0);
    const auto box = [&](int j) {
        return QRect(Geo.GapLeft + j * Geo.CharWidth, 0, Geo.CharWidth, Geo.LineHeight - 1);
    };
    EXPECT_GT(Drawn(image, box(1), White), 0); // the soft hyphen is visible
    EXPECT_EQ(Drawn(image, box(3), White), 0);
    const QImage alone =
        Run(false, QStringLiteral("c"), {{Black, White}, {Black, White}, {Black, White}},
            4 * Geo.CharWidth, 0);
    EXPECT_EQ(Differences(image.copy(box(4)), alone.copy(box(4))), 0);
}

TEST_F(CellRuns, LineImageFollowsTheLayout) {
    Cells.LayoutChanged(640);
    EXPECT_EQ(Cells.LineImage().size(), QSize(640, Geo.LineHeight));
    // A run wider than the screen still comes out whole.
    const QString text(100, u'x');
    QImage image(120 * Geo.CharWidth, Geo.LineHeight, QImage::Format_RGB32);
    image.fill(Sentinel);
    {
        QPainter p(&image);
        const std::vector<TCellColors> colors(text.size() + 2, {Black, White});
        Cells.LayoutChanged(50);
        Cells.PaintCells(p, 0, 0, true, text, colors, Sep);
    }
    EXPECT_EQ(image.pixel(101 * Geo.CharWidth - 1, 0), Sep);
}

} // namespace
