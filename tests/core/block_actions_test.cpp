#include "core/block_actions.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct BlockActions : ::testing::Test, TEditorFixture {
    bool InsertBytes(std::int32_t p, std::int32_t count, const Bytes& pattern) {
        return Actions.AddAction(std::make_unique<TInsertBytesAction>(
                                     akInsertBytes, State.NextGroup(), p, false, count,
                                     pattern.data(), static_cast<std::int32_t>(pattern.size())),
                                 true);
    }
    bool DeleteBytes(std::int32_t p, std::int32_t count) {
        return Actions.AddAction(std::make_unique<TDeleteBytesAction>(
                                     State, akDelete, State.NextGroup(), p, count, false),
                                 true);
    }
    bool Replace(std::int32_t p, std::int32_t length, const Bytes& with) {
        return Actions.AddAction(std::make_unique<TReplaceAction>(
                                     State, akReplace, State.NextGroup(), p, false, length, with),
                                 true);
    }
    void RefuseAllocations() {
        Doc.AllocationHook = [](std::size_t) { return false; };
    }
};

TEST_F(BlockActions, InsertRepeatsThePatternIntoAnEmptyDocument) {
    ASSERT_TRUE(InsertBytes(0, 5, {'A', 'B'}));
    EXPECT_EQ(DataBytes(), (Bytes{'A', 'B', 'A', 'B', 'A'}));
    EXPECT_EQ(MarkCodes(), Bytes(5, mcNone));
    EXPECT_EQ(Doc.ChangeCount, 1);
    Actions.Undo();
    EXPECT_EQ(Doc.Size, 0);
    EXPECT_EQ(Doc.Data, nullptr);
    EXPECT_EQ(Doc.ChangeCount, 0);
}

TEST_F(BlockActions, InsertInTheMiddleAndAtTheEnd) {
    struct Case {
        std::int32_t p, count;
        Bytes pattern, result;
    };
    const Case cases[] = {
        {1, 4, {7, 8, 9}, {1, 7, 8, 9, 7, 2, 3}},
        {3, 2, {5}, {1, 2, 3, 5, 5}},
        {0, 1, {4, 4, 4}, {4, 1, 2, 3}},
        {2, 10, {1, 2, 3, 4}, {1, 2, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        Load({1, 2, 3}, {mcRed, mcGreen, mcBlue});
        InsertBytes(c.p, c.count, c.pattern);
        EXPECT_EQ(DataBytes(), c.result);
        Bytes marks = MarkCodes();
        EXPECT_EQ(marks[c.p + c.count - 1], mcNone);
        Actions.Undo();
        EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3}));
        EXPECT_EQ(MarkCodes(), (Bytes{mcRed, mcGreen, mcBlue}));
    }
}

TEST_F(BlockActions, DeleteStopsAtTheEndAndUndoRestoresMarks) {
    Load({1, 2, 3, 4, 5}, {0, mcRed, 0, mcYellow, mcBlue});
    ASSERT_TRUE(DeleteBytes(3, 100));
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3}));
    EXPECT_EQ(Actions.At(0).Length1, 2);
    Actions.Undo();
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(MarkCodes(), (Bytes{0, mcRed, 0, mcYellow, mcBlue}));

    DeleteBytes(1, 2);
    EXPECT_EQ(DataBytes(), (Bytes{1, 4, 5}));
    EXPECT_EQ(MarkCodes(), (Bytes{0, mcYellow, mcBlue}));
    Actions.Undo();
    EXPECT_EQ(MarkCodes(), (Bytes{0, mcRed, 0, mcYellow, mcBlue}));
    Actions.Redo();
    EXPECT_EQ(DataBytes(), (Bytes{1, 4, 5}));
}

TEST_F(BlockActions, ReplaceKeepsMarksOfTheCommonPart) {
    struct Case {
        Bytes with;
        Bytes bytes, marks, undoneMarks;
    };
    // Document A B C D; the run A B C (A red, B and C blue) or A B is replaced at 0.
    const Case cases[] = {
        {{'X', 'Y', 'Z', 'W'},
         {'X', 'Y', 'Z', 'W', 'D'},
         {mcRed, mcBlue, mcBlue, 0, mcGreen},
         {mcRed, mcBlue, mcBlue, mcGreen}},
        {{'X'}, {'X', 'D'}, {mcRed, mcGreen}, {mcRed, 0, 0, mcGreen}},
        {{}, {'D'}, {mcGreen}, {0, 0, 0, mcGreen}},
        {{'X', 'Y', 'Z'},
         {'X', 'Y', 'Z', 'D'},
         {mcRed, mcBlue, mcBlue, mcGreen},
         {mcRed, mcBlue, mcBlue, mcGreen}},
    };
    for (const Case& c : cases) {
        Load({'A', 'B', 'C', 'D'}, {mcRed, mcBlue, mcBlue, mcGreen});
        ASSERT_TRUE(Replace(0, 3, c.with));
        EXPECT_EQ(DataBytes(), c.bytes);
        EXPECT_EQ(MarkCodes(), c.marks);
        Actions.Undo();
        EXPECT_EQ(DataBytes(), (Bytes{'A', 'B', 'C', 'D'}));
        EXPECT_EQ(MarkCodes(), c.undoneMarks);
        EXPECT_EQ(Doc.ChangeCount, 0);
    }
}

TEST_F(BlockActions, ReplaceTwoByThreeUnmarksTheGainedByte) {
    Load({'A', 'B', 'Q'}, {mcRed, mcGreen, 0});
    Replace(0, 2, {'X', 'Y', 'Z'});
    EXPECT_EQ(DataBytes(), (Bytes{'X', 'Y', 'Z', 'Q'}));
    EXPECT_EQ(MarkCodes(), (Bytes{mcRed, mcGreen, mcNone, 0}));
    Actions.Undo();
    EXPECT_EQ(MarkCodes(), (Bytes{mcRed, mcGreen, 0}));
}

struct Failure {
    const char* name;
    int language;
    std::function<void(BlockActions&)> attempt;
    Bytes bytesAfter;
    std::string message;
};

// Growth that cannot get memory: bytes, Size and capacities stay as before the attempt, the user
// reads the message of that action, and the history is empty.
TEST_F(BlockActions, MemoryFailuresRestoreReportAndForget) {
    const Failure cases[] = {
        {"insert bytes",
         LangEnglish,
         [](BlockActions& t) {
             t.RefuseAllocations();
             EXPECT_FALSE(t.InsertBytes(1, 70000, {9}));
         },
         {1, 2, 3},
         "Operation failed! Possible reason: Not enough memory."},
        {"insert bytes beyond the largest document",
         LangEnglish,
         [](BlockActions& t) { EXPECT_FALSE(t.InsertBytes(0, TByteDocument::MaxSize - 2, {9})); },
         {1, 2, 3},
         "Operation failed! Possible reason: Not enough memory."},
        {"undo delete bytes", LangEnglish,
         [](BlockActions& t) {
             t.Load(Bytes(65540, 4));
             t.DeleteBytes(0, 10);
             t.RefuseAllocations();
             t.Actions.Undo();
         },
         Bytes(65530, 4),
         "Operation failed! Possible reason: Not enough memory. Please close this application."},
        {"replace growing",
         LangGerman,
         [](BlockActions& t) {
             t.Doc.AllocationHook = [](std::size_t n) { return n < 100000; };
             EXPECT_FALSE(t.Replace(1, 1, Bytes(70000, 1)));
         },
         {1, 2, 3},
         "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte Programm beenden!"},
        {"undo replace shrinking",
         LangEnglish,
         [](BlockActions& t) {
             t.Load(Bytes(70000, 4));
             t.Replace(0, 69990, {1});
             t.RefuseAllocations();
             t.Actions.Undo();
         },
         {1, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
         "Operation failed! Possible reason: Not enough memory. Close application!"},
    };
    for (const Failure& c : cases) {
        Load({1, 2, 3});
        Doc.AllocationHook = nullptr;
        Host.Messages.clear();
        State.Language = c.language;
        InsertBytes(3, 0, {1}); // an earlier step that must be forgotten too
        c.attempt(*this);
        EXPECT_EQ(DataBytes(), c.bytesAfter) << c.name;
        EXPECT_EQ(Doc.DataCapacity, TByteDocument::CapacityFor(Doc.Size)) << c.name;
        EXPECT_EQ(Doc.MarkCapacity, TByteDocument::CapacityFor(Doc.Size)) << c.name;
        EXPECT_FALSE(Actions.CanUndo()) << c.name;
        EXPECT_FALSE(Actions.CanRedo()) << c.name;
        ASSERT_EQ(Host.Messages.size(), 1u) << c.name;
        EXPECT_EQ(Host.Messages[0].Text, c.message) << c.name;
        EXPECT_EQ(Host.Messages[0].Kind, TMsgDlgType::Error);
    }
}

TEST_F(BlockActions, DeleteWhoseCopiesFailIsRecordedVoid) {
    Load({1, 2, 3, 4});
    RefuseAllocations();
    EXPECT_TRUE(DeleteBytes(1, 2));
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(Doc.ChangeCount, 0);
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0].Text, "Operation failed! Possible reason: Not enough memory.");
    ASSERT_TRUE(Actions.CanUndo());
    EXPECT_EQ(Actions.At(0).Length1, 0);
    Actions.Undo();
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3, 4}));
}

TEST_F(BlockActions, StaleRunsDoNothingEitherWay) {
    Load({1, 2, 3});
    EXPECT_TRUE(InsertBytes(5, 2, {7}));
    EXPECT_TRUE(DeleteBytes(3, 1));
    EXPECT_TRUE(Replace(2, 5, {9}));
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3}));
    Actions.Undo();
    Actions.Undo();
    Actions.Undo();
    EXPECT_EQ(DataBytes(), (Bytes{1, 2, 3}));
    EXPECT_EQ(Doc.ChangeCount, 0);
}

} // namespace
