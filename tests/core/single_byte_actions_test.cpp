#include "core/block_actions.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct SingleByteActions : ::testing::Test, TEditorFixture {
    template <class A, class... Args> bool Add(Args... args) {
        return Actions.AddAction(std::make_unique<A>(args...), true);
    }
    std::int32_t Group() { return State.NextGroup(); }
};

TEST_F(SingleByteActions, DeletingTheOnlyByteReleasesAndUndoRestoresWithItsMark) {
    Load({0x41}, {mcBlue});
    ASSERT_TRUE(Add<TDeleteAction>(akDelete, Group(), 0, false));
    EXPECT_EQ(Doc.Size, 0);
    EXPECT_EQ(Doc.Data, nullptr);
    EXPECT_EQ(Doc.Marks, nullptr);
    EXPECT_EQ(Doc.DataCapacity, 0);
    EXPECT_EQ(Geo.CursorLine, 0);
    EXPECT_FALSE(Geo.CursorOnByte());

    Actions.Undo();
    EXPECT_EQ(DataBytes(), Bytes{0x41});
    EXPECT_EQ(MarkCodes(), Bytes{mcBlue});
    EXPECT_EQ(Doc.DataCapacity, 65536);
    EXPECT_EQ(Doc.MarkCapacity, 65536);
    EXPECT_EQ(Doc.ChangeCount, 0);
}

TEST_F(SingleByteActions, BackspaceRemovesTheByteBeforeTheCursor) {
    Load({0, 1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, mcGreen, 0, 0});
    Geo.SetCursorToByte(5, false, false);
    ASSERT_TRUE(Add<TBackspaceAction>(akBack, Group(), 5, false));
    EXPECT_EQ(DataBytes(), (Bytes{0, 1, 2, 3, 5, 6}));
    EXPECT_EQ(Geo.CursorByteIndex(), 4);

    Actions.Undo();
    EXPECT_EQ(DataBytes(), (Bytes{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(MarkCodes()[4], mcGreen);
    EXPECT_EQ(Geo.CursorByteIndex(), 5);
}

TEST_F(SingleByteActions, ChangeCountCountsDataChangesOnly) {
    Load({7, 8});
    Add<TMarkAction>(akMark, Group(), 0, false, mcRed);
    EXPECT_EQ(Doc.ChangeCount, 0);
    EXPECT_EQ(MarkCodes()[0], mcRed);
    Add<TEditAction>(akChangeValue, Group(), 1, false, 8); // the value it already has
    EXPECT_EQ(Doc.ChangeCount, 1);
    Actions.Undo();
    Actions.Undo();
    EXPECT_EQ(Doc.ChangeCount, 0);
    EXPECT_EQ(MarkCodes()[0], mcNone);
}

TEST_F(SingleByteActions, InsertShiftsBytesWithTheirMarks) {
    Load({0xA, 0xB, 0xC}, {mcRed, mcGreen, mcBlue});
    ASSERT_TRUE(Add<TInsertAction>(akInsert, Group(), 0, false));
    EXPECT_EQ(DataBytes(), (Bytes{0, 0xA, 0xB, 0xC}));
    EXPECT_EQ(MarkCodes(), (Bytes{mcNone, mcRed, mcGreen, mcBlue}));
    Add<TInsertAction>(akAppend, Group(), 4, false);
    EXPECT_EQ(DataBytes(), (Bytes{0, 0xA, 0xB, 0xC, 0}));
}

TEST_F(SingleByteActions, UndoOfAnInsertRemovesItEvenAfterAnEdit) {
    Load({1, 2});
    Add<TInsertAction>(akInsert, Group(), 1, false);
    Add<TEditAction>(akChangeValue, Group(), 1, false, 0x99);
    Actions.Undo();
    Actions.Undo();
    EXPECT_EQ(DataBytes(), (Bytes{1, 2}));
    EXPECT_EQ(Doc.ChangeCount, 0);
}

TEST_F(SingleByteActions, OverwrittenByteKeepsItsMark) {
    Load({1}, {mcCyan});
    Add<TEditAction>(akChangeValue, Group(), 0, false, 0x55);
    EXPECT_EQ(DataBytes(), Bytes{0x55});
    EXPECT_EQ(MarkCodes(), Bytes{mcCyan});
}

TEST_F(SingleByteActions, CapacityFollowsTheStepBoundary) {
    Load(Bytes(65536, 0x11));
    Add<TInsertAction>(akInsert, Group(), 100, false);
    EXPECT_EQ(Doc.DataCapacity, 131072);
    EXPECT_EQ(Doc.MarkCapacity, 131072);
    Add<TDeleteAction>(akDelete, Group(), 100, false);
    EXPECT_EQ(Doc.DataCapacity, 65536);
    EXPECT_EQ(Doc.MarkCapacity, 65536);
    EXPECT_EQ(DataBytes(), Bytes(65536, 0x11));
}

// Actions whose position is no longer inside the document do nothing in either direction and
// still count as done.
TEST_F(SingleByteActions, StalePositionsAreHarmless) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TAction>(std::int32_t group)> make;
    };
    const Case cases[] = {
        {"mark", [](int g) { return std::make_unique<TMarkAction>(akMark, g, 3, false, 1); }},
        {"edit",
         [](int g) { return std::make_unique<TEditAction>(akChangeValue, g, 3, false, 9); }},
        {"edit<0",
         [](int g) { return std::make_unique<TEditAction>(akChangeValue, g, -1, false, 9); }},
        {"back@0", [](int g) { return std::make_unique<TBackspaceAction>(akBack, g, 0, false); }},
        {"back", [](int g) { return std::make_unique<TBackspaceAction>(akBack, g, 3, false); }},
        {"delete", [](int g) { return std::make_unique<TDeleteAction>(akDelete, g, 3, false); }},
        {"insert>", [](int g) { return std::make_unique<TInsertAction>(akInsert, g, 4, false); }},
        {"insert<0", [](int g) { return std::make_unique<TInsertAction>(akInsert, g, -2, false); }},
    };
    for (const Case& c : cases) {
        Load({1, 2, 3}, {0, mcRed, 0});
        ASSERT_TRUE(Actions.AddAction(c.make(Group()), true)) << c.name;
        EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3})) << c.name;
        EXPECT_EQ(Doc.ChangeCount, 0) << c.name;
        EXPECT_TRUE(Actions.CanUndo()) << c.name;
        Actions.Undo();
        EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3})) << c.name;
        EXPECT_EQ(MarkCodes(), (Bytes{0, mcRed, 0})) << c.name;
        EXPECT_EQ(Doc.ChangeCount, 0) << c.name;
    }
}

TEST_F(SingleByteActions, MarkCodesNeverExceedThreeBits) {
    Load({1});
    Add<TMarkAction>(akMark, Group(), 0, false, 0xFE);
    EXPECT_LE(MarkCodes()[0], 7);
}

// A single byte that cannot get memory: the document is unchanged, the user is told, and the
// failed action is not left in the history as done.
TEST_F(SingleByteActions, MemoryFailureLeavesDocumentAndReportsIt) {
    Load(Bytes(65536, 5));
    Add<TEditAction>(akChangeValue, Group(), 0, false, 6);
    Doc.AllocationHook = [](std::size_t) { return false; };
    EXPECT_FALSE(Add<TInsertAction>(akInsert, Group(), 0, false));
    EXPECT_EQ(Doc.Size, 65536);
    EXPECT_EQ(Doc.DataCapacity, 65536);
    EXPECT_EQ(Doc.MarkCapacity, 65536);
    EXPECT_EQ(Doc.ChangeCount, 1);
    EXPECT_FALSE(Actions.CanUndo());
    EXPECT_FALSE(Actions.CanRedo());
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0].Text, "Operation failed! Possible reason: Not enough memory.");
    EXPECT_EQ(Host.Messages[0].Kind, TMsgDlgType::Error);
    EXPECT_EQ(Host.Messages[0].Buttons, mbOKOnly);
}

TEST_F(SingleByteActions, UndoOfADeleteThatCannotGrowForgetsTheHistory) {
    Load(Bytes(65537, 5));
    Add<TDeleteAction>(akDelete, Group(), 7, false);
    ASSERT_EQ(Doc.DataCapacity, 65536);
    State.Language = LangGerman;
    Doc.AllocationHook = [](std::size_t) { return false; };
    Actions.Undo();
    EXPECT_EQ(Doc.Size, 65536);
    EXPECT_EQ(Doc.DataCapacity, 65536);
    EXPECT_FALSE(Actions.CanUndo());
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0].Text, "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher.");
}

} // namespace
