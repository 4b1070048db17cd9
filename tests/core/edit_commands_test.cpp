#include "core/cp1252.h"
#include "core/edit_commands.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct EditCommands : ::testing::Test, TEditorFixture {
    TEditCommands Cmd{State};
};

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
