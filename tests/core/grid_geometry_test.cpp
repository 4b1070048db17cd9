#include "support/recording_host.h"

#include <gtest/gtest.h>

namespace {

struct GridGeometry : ::testing::Test, TEditorFixture {
    void SetMode(bool hex) {
        Geo.HexMode = hex;
        Relayout();
    }
};

TEST_F(GridGeometry, PixelConstantsFromTheFont) {
    EXPECT_EQ(Geo.LineHeight, 16);
    EXPECT_EQ(Geo.GapLeft, 3);
    EXPECT_EQ(Geo.GapRight, 4);
    EXPECT_EQ(Geo.CellWidth, 24); // 3 + 2*8 + 4 + 1
    EXPECT_EQ(Geo.CharAreaWidth, 3 + 16 * 8 + 4 + 1);
    EXPECT_EQ(Geo.AddressColumnWidth, 3 + 3 * 8 + 4 + 1);
    EXPECT_EQ(Geo.ViewWidth(), 16 * 24 + 136 - 1);
    EXPECT_EQ(Geo.ViewHeight(), 10 * 16 - 1);
    SetMode(false);
    EXPECT_EQ(Geo.BytesPerLine, 10);
    EXPECT_EQ(Geo.CharsPerCell, 3);
    EXPECT_EQ(Geo.CellWidth, 32);

    Geo.ComputeLayout({7, 13}); // an odd width splits the gap unevenly
    EXPECT_EQ(Geo.GapLeft, 3);
    EXPECT_EQ(Geo.GapRight, 3);
}

TEST_F(GridGeometry, ColumnSpaceOfBothModes) {
    Load(std::vector<std::uint8_t>(100));
    EXPECT_FALSE(Geo.InCharArea(31));
    EXPECT_TRUE(Geo.InCharArea(32));
    EXPECT_EQ(Geo.ByteIndexAt(33, 0), 1);
    EXPECT_EQ(Geo.ByteIndexAt(47, 2), 47);
    EXPECT_EQ(Geo.ByteIndexAt(31, 1), 31);
    EXPECT_EQ(Geo.LineCount, 7);
    SetMode(false);
    EXPECT_FALSE(Geo.InCharArea(29));
    EXPECT_TRUE(Geo.InCharArea(30));
    EXPECT_EQ(Geo.ByteIndexAt(29, 0), 9);
    EXPECT_EQ(Geo.ByteIndexAt(39, 9), 99);
    EXPECT_EQ(Geo.LineCount, 10);
}

TEST_F(GridGeometry, AddressDigits) {
    struct Case {
        std::int32_t lines, base, digits;
    };
    const Case cases[] = {{0, 16, 3},   {1, 16, 3},    {5, 16, 3},    {256, 16, 3},
                          {257, 16, 4}, {1000, 16, 4}, {5000, 10, 5}, {134213632, 16, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(TGridGeometry::AddressDigitsFor(c.lines, c.base), c.digits)
            << c.lines << " lines, base " << c.base;
    }
}

TEST_F(GridGeometry, CellAtPixelGapsAndLimits) {
    struct Case {
        bool hex;
        std::int32_t x, y;
        TGridCell cell;
    };
    const Case cases[] = {
        {true, 0, 0, {0, 0}},    // left gap of byte 0
        {true, 3, 0, {0, 0}},    // first digit
        {true, 10, 0, {0, 0}},   // last pixel of the first digit
        {true, 11, 0, {1, 0}},   // second digit
        {true, 23, 0, {1, 0}},   // right gap gives the last digit
        {true, 24, 17, {2, 1}},  // byte 1, line 1
        {true, 384, 0, {32, 0}}, // left gap of the character area
        {true, 395, 0, {33, 0}}, // character of byte 1
        {true, 900, 0, {47, 0}}, // far right: last character
        {false, 12, 0, {1, 0}},  // decimal tens
        {false, 19, 0, {2, 0}},  // decimal ones
        {false, 27, 0, {2, 0}},  // decimal: at most two steps
        {false, 320 + 3 + 8 * 9, 0, {39, 0}},
        {true, 5, 16 * 50, {0, 50}}, // lines are not clamped here
    };
    for (const Case& c : cases) {
        SetMode(c.hex);
        EXPECT_EQ(Geo.CellAtPixel(c.x, c.y), c.cell) << "x " << c.x << " y " << c.y;
    }
}

TEST_F(GridGeometry, PlaceCursorClampsToTheDocument) {
    Load(std::vector<std::uint8_t>(100));
    struct Case {
        bool hex;
        TGridCell asked, placed;
    };
    const Case cases[] = {
        {true, {5, 50}, {5, 6}},   // below the last line: the last line
        {true, {40, 50}, {35, 6}}, // character area beyond the end: last character (byte 99)
        {true, {-4, -3}, {0, 0}},   {true, {99, 0}, {47, 0}},
        {true, {20, 6}, {7, 6}},    // number area beyond the end: last digit of byte 99
        {false, {29, 20}, {29, 9}}, // 100 bytes fill ten decimal lines exactly
    };
    for (const Case& c : cases) {
        SetMode(c.hex);
        Geo.PlaceCursor(c.asked.Column, c.asked.Line, false);
        EXPECT_EQ((TGridCell{Geo.CursorColumn, Geo.CursorLine}), c.placed)
            << c.asked.Column << "," << c.asked.Line;
        EXPECT_TRUE(Geo.CursorOnByte());
    }
}

TEST_F(GridGeometry, EmptyDocumentHasNoByteUnderTheCursor) {
    for (const bool hex : {true, false}) {
        SetMode(hex);
        for (const TGridCell c : {TGridCell{0, 0}, TGridCell{40, 3}, TGridCell{-1, -1}}) {
            Geo.PlaceCursor(c.Column, c.Line, true);
            EXPECT_EQ(Geo.CursorLine, 0);
            EXPECT_GE(Geo.CursorByteIndex(), Doc.Size);
            EXPECT_FALSE(Geo.CursorOnByte());
        }
        Geo.SetCursorToByte(0, true, false);
        EXPECT_FALSE(Geo.CursorOnByte());
    }
}

TEST_F(GridGeometry, SetCursorToByteKeepsTheDigitOfTheSameByte) {
    Load(std::vector<std::uint8_t>(40));
    Geo.PlaceCursor(11, 1, false); // second digit of byte 21
    Host.Calls.clear();
    Geo.SetCursorToByte(21, false, false);
    EXPECT_EQ(Geo.CursorColumn, 11);
    EXPECT_EQ(Host.Calls, std::vector<std::string>{"redraw show +line"});

    Geo.SetCursorToByte(22, false, false); // another byte: its first digit
    EXPECT_EQ(Geo.CursorColumn, 12);
    Geo.SetCursorToByte(22, true, false); // same byte, other area
    EXPECT_EQ(Geo.CursorColumn, 38);
    EXPECT_EQ(Geo.CursorByteIndex(), 22);
}

TEST_F(GridGeometry, MovingRedrawsOldAndNewCursor) {
    Load(std::vector<std::uint8_t>(40));
    Host.Calls.clear();
    Geo.PlaceCursor(2, 0, true); // same line: the old character line need not be redrawn
    Geo.PlaceCursor(2, 1, true);
    Geo.PlaceCursor(2, 1, true); // no move: nothing to redraw
    const std::vector<std::string> expected = {"redraw hide", "redraw show +line",
                                               "redraw hide +line", "redraw show +line"};
    EXPECT_EQ(Host.Calls, expected);
}

TEST_F(GridGeometry, ScrollsTheCursorLineIntoView) {
    Load(std::vector<std::uint8_t>(16 * 100));
    Geo.PlaceCursor(0, 30, false);
    EXPECT_EQ(Geo.TopLine, 21); // last visible line
    Geo.PlaceCursor(0, 25, false);
    EXPECT_EQ(Geo.TopLine, 21); // already visible
    Geo.PlaceCursor(0, 4, false);
    EXPECT_EQ(Geo.TopLine, 4);
}

TEST_F(GridGeometry, OriginsAndVisibility) {
    Load(std::vector<std::uint8_t>(16 * 100));
    Geo.TopLine = 5;
    const TViewOrigin cell = Geo.CellOrigin(16 * 7 + 3);
    EXPECT_EQ(cell.X, 3 * 24);
    EXPECT_EQ(cell.Y, 2 * 16);
    EXPECT_TRUE(cell.Visible);
    const TViewOrigin line = Geo.CharLineOrigin(16 * 7 + 3);
    EXPECT_EQ(line.X, 16 * 24);
    EXPECT_EQ(line.Y, 2 * 16);
    EXPECT_FALSE(Geo.CellOrigin(16 * 5 - 1).Visible);
    EXPECT_TRUE(Geo.CellOrigin(16 * 5).Visible);
    EXPECT_TRUE(Geo.CellOrigin(16 * 15 - 1).Visible);
    EXPECT_FALSE(Geo.CellOrigin(16 * 15).Visible);
}

} // namespace
