#include "core/cp1252.h"
#include "core/edit_commands.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct EditCommands : ::testing::Test, TEditorFixture {
    TEditCommands Cmd{State};

    void SetMode(bool hex) {
        Geo.HexMode = hex;
        Relayout();
    }
    TGridCell Cursor() const { return {Geo.CursorColumn, Geo.CursorLine}; }
};

TEST_F(EditCommands, TypingDigitsAndCharacters) {
    struct Case {
        const char* name;
        bool hex;
        std::uint8_t before;
        std::int32_t digit; // digit position in the cell; -1: character area
        char32_t key;
        int after; // -1: refused
        bool beep;
    };
    const Case cases[] = {
        {"hex high nibble", true, 0x12, 0, '4', 0x42, false},
        {"hex low nibble, lower case", true, 0x4F, 1, 'a', 0x4A, false},
        {"hex refuses g", true, 0x4F, 0, 'g', -1, true},
        {"dec hundreds 2 over 199", false, 199, 0, '2', 255, true},
        {"dec hundreds 3 refused", false, 199, 0, '3', -1, true},
        {"dec hundreds 1", false, 99, 0, '1', 199, false},
        {"dec tens 5 under 250", false, 250, 1, '5', 250, false},
        {"dec tens 6 refused under 250", false, 250, 1, '6', -1, true},
        {"dec tens 0 under 255", false, 255, 1, '0', 205, false},
        {"dec ones 5 under 255", false, 255, 2, '5', 255, false},
        {"dec ones 6 refused under 255", false, 255, 2, '6', -1, true},
        {"dec ones 9 under 245", false, 245, 2, '9', 249, false},
        {"dec refuses letters", false, 5, 2, 'x', -1, true},
        {"character", true, 0, -1, 'Z', 'Z', false},
        {"character in Windows-1252", true, 0, -1, U'\u20AC', 0x80, false},
        {"character outside Windows-1252", false, 7, -1, U'\u4E2D', -1, true},
    };
    for (const Case& c : cases) {
        SetMode(c.hex);
        Load({0, c.before, 0});
        const std::int32_t c0 = c.digit < 0 ? Geo.NumberColumns() + 1 : Geo.CharsPerCell + c.digit;
        Geo.PlaceCursor(c0, 0, false);
        Host.Beeps = 0;
        Cmd.FormKeyPress(c.key);
        const int expected = c.after < 0 ? c.before : c.after;
        EXPECT_EQ(Doc.Data[1], expected) << c.name;
        EXPECT_EQ(Host.Beeps, c.beep ? 1 : 0) << c.name;
        EXPECT_EQ(Actions.CanUndo(), c.after >= 0) << c.name;
        EXPECT_EQ(Geo.CursorColumn, c.after >= 0 ? c0 + 1 : c0) << c.name;
        EXPECT_GE(Host.Refreshes, 1) << c.name;
    }
}

TEST_F(EditCommands, TypingOnTheLastByteStaysThere) {
    Load({0x11, 0x22});
    Geo.PlaceCursor(3, 0, false);
    Cmd.FormKeyPress('9');
    EXPECT_EQ(DataBytes(), (Bytes{0x11, 0x29}));
    EXPECT_EQ(Cursor(), (TGridCell{3, 0}));
}

TEST_F(EditCommands, EachDigitIsOneUndoStepAndAppendIsItsOwn) {
    Load({0x00, 0x00});
    Cmd.FormKeyPress('A');
    Cmd.FormKeyPress('B');
    EXPECT_EQ(Doc.Data[0], 0xAB);
    Cmd.DoAppendByte();
    EXPECT_EQ(Doc.Size, 3);
    Cmd.EditUndoMainMenuItemClick();
    EXPECT_EQ(DataBytes(), (Bytes{0xAB, 0}));
    Cmd.EditUndoMainMenuItemClick();
    EXPECT_EQ(Doc.Data[0], 0xA0);
    Cmd.EditUndoMainMenuItemClick();
    EXPECT_EQ(Doc.Data[0], 0x00);
    EXPECT_EQ(Doc.ChangeCount, 0);
}

TEST_F(EditCommands, RemovingAndInsertingSingleBytes) {
    Load({1, 2, 3}, {mcRed, mcGreen, mcBlue});
    Cmd.DoBackspace(); // on byte 0: nothing to remove
    EXPECT_FALSE(Actions.CanUndo());
    Geo.SetCursorToByte(2, false, false);
    Cmd.DoBackspace();
    EXPECT_EQ(DataBytes(), (Bytes{1, 3}));
    EXPECT_EQ(Geo.CursorByteIndex(), 1);
    Cmd.DoInsert();
    EXPECT_EQ(DataBytes(), (Bytes{1, 0, 3}));
    EXPECT_EQ(MarkCodes(), (Bytes{mcRed, mcNone, mcBlue}));
    EXPECT_EQ(Geo.CursorByteIndex(), 1);
    Cmd.DoDelete();
    Cmd.DoDelete();
    EXPECT_EQ(DataBytes(), (Bytes{1}));

    Load({9}, {mcYellow});
    Cmd.DoDelete(); // the only byte
    EXPECT_EQ(Doc.Size, 0);
    Cmd.DoDelete(); // nothing under the cursor any more
    Cmd.EditUndoMainMenuItemClick();
    EXPECT_EQ(DataBytes(), Bytes{9});
    EXPECT_EQ(MarkCodes(), Bytes{mcYellow});
}

TEST_F(EditCommands, AppendOnAnEmptyDocument) {
    Load({});
    Cmd.DoAppendByte();
    EXPECT_EQ(DataBytes(), Bytes{0});
    EXPECT_EQ(Actions.UndoName(), "(Append)");
    Cmd.EditUndoMainMenuItemClick();
    EXPECT_EQ(Doc.Size, 0);
    Cmd.EditRedoMainMenuItemClick();
    EXPECT_EQ(Doc.Size, 1);
}

TEST_F(EditCommands, Navigation) {
    struct Case {
        const char* name;
        std::int32_t size;
        TGridCell from;
        void (TEditCommands::*command)();
        TGridCell to;
    };
    const Case cases[] = {
        {"right at the end of a full line wraps", 48, {31, 0}, &TEditCommands::DoRight, {0, 1}},
        {"right on the last digit, partial line", 20, {7, 1}, &TEditCommands::DoRight, {7, 1}},
        {"right on the last digit, full last line", 32, {31, 1}, &TEditCommands::DoRight, {0, 1}},
        {"right on the last character, full last line",
         32,
         {47, 1},
         &TEditCommands::DoRight,
         {32, 1}},
        {"right in the characters wraps", 48, {47, 0}, &TEditCommands::DoRight, {32, 1}},
        {"left on the first digit", 20, {0, 0}, &TEditCommands::DoLeft, {0, 0}},
        {"left on the first digit of line 1", 20, {0, 1}, &TEditCommands::DoLeft, {31, 0}},
        {"left on the first character of line 1", 20, {32, 1}, &TEditCommands::DoLeft, {47, 0}},
        {"end in the numbers", 20, {4, 0}, &TEditCommands::DoEnd, {7, 1}},
        {"end in the characters", 20, {33, 0}, &TEditCommands::DoEnd, {35, 1}},
        {"home in the characters", 20, {35, 1}, &TEditCommands::DoHome, {32, 0}},
        {"tab from the second digit of byte 5", 20, {11, 0}, &TEditCommands::DoTab, {37, 0}},
        {"tab back to the first digit", 20, {37, 0}, &TEditCommands::DoTab, {10, 0}},
        {"down on the last line", 20, {2, 1}, &TEditCommands::DoDown, {2, 1}},
        {"up on line 0", 20, {2, 0}, &TEditCommands::DoUp, {2, 0}},
        {"down onto a short last line", 20, {20, 0}, &TEditCommands::DoDown, {7, 1}},
        {"page down stops at the last line", 16 * 30, {3, 2}, &TEditCommands::DoPageDown, {3, 12}},
        {"page up stops at line 0", 16 * 30, {3, 5}, &TEditCommands::DoPageUp, {3, 0}},
    };
    for (const Case& c : cases) {
        Load(Bytes(static_cast<std::size_t>(c.size), 1));
        Geo.PlaceCursor(c.from.Column, c.from.Line, false);
        ASSERT_EQ(Cursor(), c.from) << c.name;
        (Cmd.*c.command)();
        EXPECT_EQ(Cursor(), c.to) << c.name;
    }
}

TEST(Cp1252, RoundTripsAndGaps) {
    int defined = 0;
    for (int b = 0; b < 256; ++b) {
        const auto ch = DecodeCp1252(static_cast<std::uint8_t>(b));
        if (ch) {
            ++defined;
            EXPECT_EQ(EncodeCp1252(*ch), b);
        }
    }
    EXPECT_EQ(defined, 251); // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined
    EXPECT_EQ(DecodeCp1252(0x80), U'\u20AC');
    EXPECT_EQ(DecodeCp1252(0x91), U'\u2018');
    EXPECT_EQ(EncodeCp1252(U'\u00E4'), 0xE4);
    EXPECT_FALSE(EncodeCp1252(U'\u0100').has_value());
    EXPECT_FALSE(EncodeCp1252(0x81).has_value()); // a C1 control is no character of the set
}

} // namespace
