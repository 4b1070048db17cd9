#include "view_fixture.h"

#include "view/display_char.h"

#include <QScrollBar>

#include <functional>
#include <numeric>

#include <gtest/gtest.h>

namespace {

struct Grid : ::testing::Test, TViewFixture {
    QRgb Face = ButtonFaceColor();

    // Bytes 'A', 'B', ... so that every character box has ink.
    static std::vector<std::uint8_t> Letters(std::size_t n) {
        std::vector<std::uint8_t> bytes(n);
        for (std::size_t i = 0; i < n; ++i) {
            bytes[i] = static_cast<std::uint8_t>('A' + i % 26);
        }
        return bytes;
    }

    // The rows of one visible line, the full width of the client area.
    QImage LineOf(const QImage& image, int row) const {
        return image.copy(0, RowTop(row), image.width(),
                          Geo.LineHeight - (row + 1 == Geo.VisibleLines ? 1 : 0));
    }
};

TEST_F(Grid, UniformMarkedLineKeepsTheCharacterGapsWhite) {
    std::vector<std::uint8_t> marks(48, mcNone);
    std::fill(marks.begin() + 16, marks.begin() + 32, mcRed);
    Load(Letters(48), marks); // the cursor stays on line 0
    const QImage image = Paint();

    for (int b = 0; b < 16; ++b) {
        EXPECT_TRUE(Filled(image, CellLeftGap(1, b), Red)) << b;
        EXPECT_TRUE(Filled(image, CellRightGap(1, b), Red)) << b;
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(Background(image, Digit(1, b, j)), Red) << b;
            EXPECT_GT(Ink(image, Digit(1, b, j), Black), 0) << b;
        }
        EXPECT_EQ(Background(image, Char(1, b)), Red) << b;
        EXPECT_GT(Ink(image, Char(1, b), Black), 0) << b;
        // The separator after every cell, over the line's full height.
        EXPECT_TRUE(
            Filled(image, {CellLeft(b) + Geo.CellWidth - 1, RowTop(1), 1, Geo.LineHeight}, Face))
            << b;
    }
    EXPECT_TRUE(Filled(image, CharLeftGap(1), White));
    EXPECT_TRUE(Filled(image, CharRightGap(1), White));
    EXPECT_TRUE(Filled(image, {0, RowTop(1) + Geo.LineHeight - 1, Geo.ViewWidth(), 1}, Face));
    // The lines around it are unmarked.
    EXPECT_TRUE(Filled(image, CellLeftGap(2, 0), White));
}

// A line drawn as one text run must look exactly like the same line drawn cell by cell.
TEST_F(Grid, OneRunLineLooksLikeTheCellByCellLine) {
    struct Case {
        const char* name;
        bool hex;
        std::uint8_t mark;
        int size; // the line drawn is line 1; a short size leaves it partly filled
        bool noUnknown;
    };
    const Case cases[] = {
        {"hex unmarked", true, mcNone, 64, true},
        {"hex red", true, mcRed, 64, true},
        {"hex yellow, partial", true, mcYellow, 16 + 5, true},
        {"hex empty line", true, mcNone, 16, true},
        {"decimal blue", false, mcBlue, 40, false},
        {"decimal cyan, partial", false, mcCyan, 13, false},
        {"top bit set", true, 0x80 | mcMagenta, 64, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes(c.size);
        std::iota(bytes.begin(), bytes.end(), std::uint8_t{120}); // control codes, 1252 extras
        Geo.HexMode = c.hex;
        State.Settings.NoUnknown = c.noUnknown;
        Load(bytes, std::vector<std::uint8_t>(c.size, c.mark));
        const std::int64_t before = Box.LinesPainted;
        const QImage fast = Paint();
        EXPECT_EQ(Box.LinesPainted - before, Geo.VisibleLines);

        QImage cells(fast.size(), QImage::Format_RGB32);
        cells.fill(Sentinel);
        {
            QPainter p(&cells);
            const int n = Geo.BytesPerLine;
            for (int t = n; t < 2 * n; ++t) {
                Box.DrawNumberCell(p, t, false);
            }
            Box.DrawCharLine(p, 2 * n - 1, false);
        }
        EXPECT_EQ(Differences(LineOf(fast, 1), LineOf(cells, 1)), 0);
    }
}

TEST_F(Grid, CursorDigitBlinksAndTheCompanionStays) {
    std::vector<std::uint8_t> marks(32, mcNone);
    marks[18] = mcGreen;
    Load(Letters(32), marks);
    Geo.PlaceCursor(2 * 2 + 1, 1, false); // second digit of byte 18
    for (bool phase : {true, false}) {
        SCOPED_TRACE(phase ? "cursor shown" : "cursor hidden");
        Geo.CursorVisible = phase;
        const QImage image = Paint();
        if (phase) {
            EXPECT_EQ(Background(image, Digit(1, 2, 1)), Black);
            EXPECT_GT(Ink(image, Digit(1, 2, 1), White), 0);
        } else {
            EXPECT_EQ(Background(image, Digit(1, 2, 1)), Green);
            EXPECT_GT(Ink(image, Digit(1, 2, 1), Black), 0);
        }
        EXPECT_EQ(Background(image, Digit(1, 2, 0)), Green);
        EXPECT_TRUE(Filled(image, CellLeftGap(1, 2), Green));
        EXPECT_TRUE(Filled(image, CellRightGap(1, 2), Green));
        EXPECT_EQ(Background(image, Char(1, 2)), DarkGreen);
        EXPECT_GT(Ink(image, Char(1, 2), White), 0);
        // Neighbours keep their own colours.
        EXPECT_EQ(Background(image, Digit(1, 1, 1)), White);
        EXPECT_EQ(Background(image, Char(1, 1)), White);
    }
}

TEST_F(Grid, CursorInTheCharacterAreaGreysTheWholeNumberCell) {
    Load(Letters(32));
    Geo.PlaceCursor(32 + 5, 0, false); // the character of byte 5
    for (bool phase : {true, false}) {
        SCOPED_TRACE(phase ? "cursor shown" : "cursor hidden");
        Geo.CursorVisible = phase;
        const QImage image = Paint();
        EXPECT_TRUE(Filled(image, CellLeftGap(0, 5), Grey));
        EXPECT_TRUE(Filled(image, CellRightGap(0, 5), Grey));
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(Background(image, Digit(0, 5, j)), Grey);
            EXPECT_GT(Ink(image, Digit(0, 5, j), White), 0);
        }
        EXPECT_EQ(Background(image, Char(0, 5)), phase ? Black : White);
        EXPECT_GT(Ink(image, Char(0, 5), phase ? White : Black), 0);
    }
}

TEST_F(Grid, PositionsPastTheEndAreBlankAndNeverShowTheCursor) {
    struct Case {
        const char* name;
        bool hex;
        int column; // where the cursor is asked to go on line 1
    };
    const Case cases[] = {
        {"digit past the end", true, 15 * 2},
        {"character past the end", true, 32 + 15},
        {"decimal digit past the end", false, 9 * 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Geo.HexMode = c.hex;
        const int n = c.hex ? 16 : 10;
        Load(Letters(n + 4));
        Geo.PlaceCursor(c.column, 1, false); // clamps onto byte n+3
        EXPECT_EQ(Geo.CursorByteIndex(), n + 3);
        const QImage image = Paint();
        for (int b = 4; b < n; ++b) {
            EXPECT_TRUE(Filled(
                image, {CellLeft(b), RowTop(1), Geo.CellWidth - 1, Geo.LineHeight - 1}, White))
                << b;
            EXPECT_TRUE(Filled(image, Char(1, b), White)) << b;
        }
        EXPECT_TRUE(Filled(image, CharRightGap(1), White));
        // The cursor and its companion sit on the last byte.
        const bool inChars = Geo.InCharArea(Geo.CursorColumn);
        EXPECT_EQ(Background(image, inChars ? Char(1, 3) : Digit(1, 3, Geo.CharsPerCell - 1)),
                  Black);
        EXPECT_EQ(Background(image, inChars ? Digit(1, 3, 0) : Char(1, 3)), Grey);
    }
}

TEST_F(Grid, EmptyDocumentShowsBlankCellsAndNoCursor) {
    for (bool hex : {true, false}) {
        Geo.HexMode = hex;
        Load({});
        const QImage image = Paint();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                ASSERT_TRUE(p == White || p == Face) << x << "," << y;
            }
        }
        // Separators are still there.
        EXPECT_TRUE(Filled(image, {Geo.CellWidth - 1, 0, 1, image.height()}, Face));
    }
}

TEST_F(Grid, PaintCoversTheClientAreaExactly) {
    std::vector<std::uint8_t> marks(200);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i] = static_cast<std::uint8_t>(i / 7 % 7);
    }
    for (bool hex : {true, false}) {
        Geo.HexMode = hex;
        Load(Letters(200), marks, 9);
        Geo.PlaceCursor(3, 2, false);
        const QImage image = Paint();
        EXPECT_TRUE(image.rect() == QRect(0, 0, Geo.ViewWidth(), Geo.ViewHeight()));
        int unpainted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                unpainted += image.pixel(x, y) == Sentinel;
            }
        }
        EXPECT_EQ(unpainted, 0);
        // The bottom separator and the rightmost one fall just outside.
        EXPECT_NE(image.pixel(CellLeft(1) - 2, image.height() - 1), Face);
        EXPECT_NE(image.pixel(image.width() - 1, 1), Face);
    }
}

TEST_F(Grid, PaintRequestTouchesOnlyTheLinesItMeets) {
    Load(Letters(200));
    struct Case {
        const char* name;
        QRect update;
        std::vector<int> rows;
    };
    const int lh = Geo.LineHeight;
    const Case cases[] = {
        {"inside line 2", {40, 2 * lh + 3, 20, 4}, {2}},
        {"one row of line 5", {0, 5 * lh, 500, 1}, {5}},
        {"separator of 3 and top of 4", {0, 4 * lh - 1, 10, 2}, {3, 4}},
        {"everything", {0, 0, 1000, 1000}, {0, 1, 2, 3, 4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(Geo.ViewWidth(), Geo.ViewHeight(), QImage::Format_RGB32);
        image.fill(Sentinel);
        const std::int64_t before = Box.LinesPainted;
        {
            QPainter p(&image);
            Box.PaintView(p, c.update);
        }
        EXPECT_EQ(Box.LinesPainted - before, static_cast<std::int64_t>(c.rows.size()));
        for (int row = 0; row < Geo.VisibleLines; ++row) {
            const bool painted = std::find(c.rows.begin(), c.rows.end(), row) != c.rows.end();
            EXPECT_EQ(image.pixel(1, RowTop(row) + 1) != Sentinel, painted) << row;
        }
    }
}

TEST_F(Grid, UnknownCharactersFollowTheOption) {
    const std::vector<std::uint8_t> bytes = {0, 9, 127, 129, 141, 158, 'A', 159};
    for (bool noUnknown : {true, false}) {
        SCOPED_TRACE(noUnknown ? "as spaces" : "as glyphs");
        State.Settings.NoUnknown = noUnknown;
        Load(bytes);
        Geo.PlaceCursor(7 * 2, 0, false); // its companion cell is the last one, not tested
        const QImage image = Paint();
        for (int b = 0; b < 6; ++b) {
            EXPECT_EQ(Drawn(image, Char(0, b), White) > 0, !noUnknown) << b;
        }
        EXPECT_GT(Ink(image, Char(0, 6), Black), 0);
        EXPECT_GT(Ink(image, Char(0, 7), White), 0); // on the grey companion
    }
}

// What the cursor redraws leave on a painted view must equal a full repaint afterwards.
TEST_F(Grid, CursorRedrawsLeaveTheSamePictureAsAFullRepaint) {
    std::vector<std::uint8_t> marks(120, mcNone);
    std::fill(marks.begin() + 16, marks.begin() + 40, mcBlue);
    marks[5] = mcMagenta;
    struct Case {
        const char* name;
        std::function<void(Grid&)> act;
    };
    const Case cases[] = {
        {"digit to digit in one line", [](Grid& f) { f.Geo.PlaceCursor(9, 0, true); }},
        {"to the character area", [](Grid& f) { f.Geo.PlaceCursor(32 + 5, 0, true); }},
        {"to another line", [](Grid& f) { f.Geo.PlaceCursor(7, 2, true); }},
        {"characters of another line", [](Grid& f) { f.Geo.PlaceCursor(40, 1, true); }},
        {"the same byte after its value changed",
         [](Grid& f) {
             f.Doc.Data[0] = 0xEE;
             f.Geo.SetCursorToByte(0, false, true);
         }},
        {"blink off",
         [](Grid& f) {
             f.Geo.CursorVisible = false;
             f.Host.RedrawCursorCells(true, true);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(Letters(120), marks);
        QImage image = Paint();
        {
            QPainter p(&image);
            Host.Target = &p;
            c.act(*this);
            Host.Target = nullptr;
        }
        EXPECT_EQ(Differences(image, Paint()), 0);
    }
}

TEST_F(Grid, OuterSizeIncludesTheScrollBarOnlyWhileItIsShown) {
    Load(Letters(16 * 10), {}, 25); // 10 lines fit into 25
    EXPECT_FALSE(Box.VScrollBar.Shown());
    const int narrow = Box.OuterSize(Geo.ViewWidth(), Geo.ViewHeight()).width();
    Load(Letters(16 * 100), {}, 25);
    EXPECT_TRUE(Box.VScrollBar.Shown());
    const int wide = Box.OuterSize(Geo.ViewWidth(), Geo.ViewHeight()).width();
    EXPECT_EQ(wide - narrow, Box.verticalScrollBar()->sizeHint().width());
    EXPECT_GT(wide, narrow);
}

} // namespace
