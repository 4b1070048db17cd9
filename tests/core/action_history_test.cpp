#include "core/block_actions.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ActionHistory : ::testing::Test, TEditorFixture {
    ActionHistory() { Load(Bytes(600, 0)); }

    void Edit(std::int32_t group, std::int32_t p, std::uint8_t v, bool show = true) {
        Actions.AddAction(std::make_unique<TEditAction>(akChangeValue, group, p, false, v), show);
    }
    void Mark(std::int32_t group, std::int32_t p, std::uint8_t code) {
        Actions.AddAction(std::make_unique<TMarkAction>(akMark, group, p, false, code), false);
    }
};

TEST_F(ActionHistory, TrimsTheOldestHalfAtTheBound) {
    for (int i = 0; i < 512; ++i) {
        Edit(State.NextGroup(), i, 1);
    }
    EXPECT_EQ(Actions.Count(), 512);
    Edit(State.NextGroup(), 512, 1);
    EXPECT_EQ(Actions.Count(), 257);
    EXPECT_EQ(Actions.UndoIndex, 256);
    EXPECT_EQ(Actions.At(0).Position, 256);

    while (Actions.CanUndo()) {
        Actions.Undo();
    }
    // The 256 oldest changes can no longer be undone.
    EXPECT_EQ(Doc.Data[255], 1);
    EXPECT_EQ(Doc.Data[256], 0);
    EXPECT_EQ(Doc.ChangeCount, 256);
}

TEST_F(ActionHistory, ABatchBeyondTheBoundKeepsItsNewestPart) {
    const std::int32_t g = State.NextGroup();
    for (int i = 0; i < 600; ++i) {
        Mark(g, i, mcRed);
    }
    Actions.UpdateView();
    EXPECT_EQ(Actions.Count(), 600 - 512 + 256);
    EXPECT_EQ(Actions.UndoName(), "(344 * Mark)");
    Actions.Undo();
    EXPECT_FALSE(Actions.CanUndo());
    EXPECT_EQ(Doc.Marks[255], mcRed);
    EXPECT_EQ(Doc.Marks[256], mcNone);
    EXPECT_EQ(Actions.RedoName(), "(344 * Mark)");
}

TEST_F(ActionHistory, ANewChangeDropsTheRedoBranch) {
    Edit(State.NextGroup(), 0, 1);
    Edit(State.NextGroup(), 1, 2);
    Edit(State.NextGroup(), 2, 3);
    Actions.Undo();
    Actions.Undo();
    EXPECT_TRUE(Actions.CanRedo());
    Edit(State.NextGroup(), 5, 5);
    EXPECT_FALSE(Actions.CanRedo());
    EXPECT_EQ(Actions.Count(), 2);
    EXPECT_EQ(Doc.ChangeCount, 2);
}

TEST_F(ActionHistory, StepNamesInBothLanguages) {
    EXPECT_EQ(Actions.UndoName(), "");
    EXPECT_EQ(Actions.RedoName(), "");
    Edit(State.NextGroup(), 0, 1);
    EXPECT_EQ(Actions.UndoName(), "(Change value)");
    const std::int32_t g = State.NextGroup();
    for (int i = 0; i < 12; ++i) {
        Actions.AddAction(std::make_unique<TMarkAction>(akLoadMark, g, i, false, 2), false);
    }
    State.Language = LangGerman;
    EXPECT_EQ(Actions.UndoName(), "(12 * Markierung laden)");
    Actions.Undo();
    EXPECT_EQ(Actions.UndoName(), "(Wert ändern)");
    EXPECT_EQ(Actions.RedoName(), "(12 * Markierung laden)");
    State.Language = 12; // French has no texts of its own
    EXPECT_EQ(Actions.RedoName(), "(12 * Load mark)");

    struct Name {
        std::uint8_t kind;
        const char *en, *de;
    };
    const Name names[] = {{0, "Mark", "Markierung"},
                          {1, "Change value", "Wert ändern"},
                          {2, "Back", "Rück"},
                          {3, "Delete", "Löschen"},
                          {4, "?", "?"},
                          {5, "Unmark", "Markierung aufheben"},
                          {6, "Insert", "Einfügen"},
                          {7, "Insert bytes", "Bytes einfügen"},
                          {8, "Load mark", "Markierung laden"},
                          {9, "Append", "Anfügen"},
                          {10, "?", "?"},
                          {11, "Replace", "Ersetzen"},
                          {200, "?", "?"}};
    for (const Name& n : names) {
        EXPECT_STREQ(ActionKindName(n.kind, LangEnglish), n.en);
        EXPECT_STREQ(ActionKindName(n.kind, LangGerman), n.de);
    }
}

TEST_F(ActionHistory, GroupsUndoNewestFirstAndRedoOldestFirst) {
    const std::int32_t g = State.NextGroup();
    Edit(g, 3, 1, false);
    Edit(g, 3, 2, false); // the same byte twice: order matters
    Edit(State.NextGroup(), 9, 7);
    Actions.Undo();
    Actions.Undo();
    EXPECT_EQ(Doc.Data[3], 0);
    EXPECT_EQ(Geo.CursorByteIndex(), 3);
    Actions.Redo();
    EXPECT_EQ(Doc.Data[3], 2);
    EXPECT_EQ(Actions.RedoName(), "(Change value)");
}

TEST_F(ActionHistory, ShowControlsCursorRelayoutAndPaint) {
    Host.Calls.clear();
    Actions.AddAction(std::make_unique<TInsertAction>(akInsert, State.NextGroup(), 40, true), true);
    EXPECT_EQ(Geo.CursorByteIndex(), 40);
    EXPECT_TRUE(Geo.InCharArea(Geo.CursorColumn));
    EXPECT_EQ(Host.Relayouts, 1);
    EXPECT_EQ(Host.Calls.back(), "paint");

    Host.Calls.clear();
    Host.Relayouts = 0;
    Edit(State.NextGroup(), 41, 5); // a value change needs no relayout
    EXPECT_EQ(Host.Relayouts, 0);

    Host.Calls.clear();
    Actions.AddAction(std::make_unique<TInsertAction>(akInsert, State.NextGroup(), 2, false),
                      false);
    EXPECT_TRUE(Host.Calls.empty()); // batches leave the view alone
    Actions.UpdateView();
    EXPECT_EQ(Geo.CursorByteIndex(), 2);
    EXPECT_EQ(Host.Relayouts, 1);
}

TEST_F(ActionHistory, UndoOfASizeChangeInvalidatesTheView) {
    Actions.AddAction(std::make_unique<TDeleteAction>(akDelete, State.NextGroup(), 599, false),
                      true);
    Host.Calls.clear();
    Actions.Undo();
    ASSERT_GE(Host.Calls.size(), 3u);
    EXPECT_EQ(Host.Calls[Host.Calls.size() - 2], "invalidate");
    EXPECT_EQ(Host.Calls.back(), "paint");
    EXPECT_EQ(Geo.CursorByteIndex(), 599);
}

// The window lays out on every relayout request, so the line count follows the byte count.
TEST_F(ActionHistory, SizeChangesPutTheCursorOnItsByteOnLinesTheLayoutAlreadyCounts) {
    Host.OnRelayout = [this] { Relayout(); };
    struct Case {
        const char* name;
        std::int32_t size;
        std::function<TAction*(std::int32_t group)> make;
        std::int32_t afterDo, afterUndo;
    };
    const Case cases[] = {
        {"append on a full last line, the next line out of view", 160,
         [](std::int32_t g) { return new TInsertAction(akAppend, g, 160, false); }, 160, 159},
        {"delete the only byte of the last line", 161,
         [](std::int32_t g) { return new TDeleteAction(akDelete, g, 160, false); }, 159, 160},
        {"insert a run at the end", 160,
         [](std::int32_t g) {
             static const std::uint8_t fill = 7;
             return new TInsertBytesAction(akInsertBytes, g, 160, false, 40, &fill, 1);
         },
         160, 159},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(Bytes(static_cast<std::size_t>(c.size), 1));
        Geo.SetCursorToByte(c.size - 1, false, true);
        Actions.AddAction(std::unique_ptr<TAction>(c.make(State.NextGroup())), true);
        const auto check = [this](std::int32_t byte) {
            EXPECT_EQ(Geo.CursorByteIndex(), byte);
            EXPECT_GE(Geo.CursorLine, Geo.TopLine);
            EXPECT_LT(Geo.CursorLine, Geo.TopLine + Geo.VisibleLines);
        };
        check(c.afterDo);
        Actions.Undo();
        check(c.afterUndo);
        Actions.Redo();
        check(c.afterDo);
    }
}

TEST_F(ActionHistory, UndoingPastASaveMakesTheDocumentModified) {
    Edit(State.NextGroup(), 0, 1);
    Doc.ChangeCount = 0; // saved
    Actions.Undo();
    EXPECT_EQ(Doc.ChangeCount, -1);
    Actions.Redo();
    EXPECT_EQ(Doc.ChangeCount, 0);
}

} // namespace
