#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TEditorState;

// Kind codes; each selects the action's name in the Edit menu.
enum TActionKind : std::uint8_t {
    akMark = 0,
    akChangeValue = 1,
    akBack = 2,
    akDelete = 3,
    akUnmark = 5,
    akInsert = 6,
    akInsertBytes = 7,
    akLoadMark = 8,
    akAppend = 9,
    akReplace = 11,
};

// The display name of an action kind in the given language ("?" for unknown kinds).
const char* ActionKindName(std::uint8_t kind, int language);

// One recorded, reversible change of the document. The base carries every field any action
// needs; subclasses only override behaviour.
class TAction {
public:
    TAction(std::uint8_t kind, std::int32_t group) : Kind(kind), Group(group) {}
    virtual ~TAction() = default;
    TAction(const TAction&) = delete;
    TAction& operator=(const TAction&) = delete;

    std::uint8_t Kind;
    std::int32_t Group;
    std::int32_t Position = 0;
    bool WasInCharArea = false;
    std::uint8_t Value = 0;
    std::uint8_t PrevValue = 0;
    std::int32_t Length1 = 0;
    std::int32_t Length2 = 0;
    std::vector<std::uint8_t> Buffer1;
    std::vector<std::uint8_t> Buffer2;
    // Whether the last DoAction changed the document. An action recorded at a position that was
    // no longer inside the document does nothing, and its undo must then do nothing either.
    bool Applied = false;

    // Both answer false only when memory ran out; the action has then told the user and left
    // the document consistent.
    virtual bool DoAction(TEditorState& s);
    virtual bool UndoAction(TEditorState& s);
    virtual void SetDoActionCursorPos(TEditorState& s);
    virtual void SetUndoActionCursorPos(TEditorState& s);
    virtual bool SizeChanged() const { return true; }

protected:
    // Cursor on the smaller of Position and Size - 1, in the recorded area.
    void CursorToPositionOrLast(TEditorState& s);
};

class TMarkAction : public TAction {
public:
    TMarkAction(std::uint8_t kind, std::int32_t group, std::int32_t position, bool inCharArea,
                std::uint8_t markCode);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
    void SetDoActionCursorPos(TEditorState& s) override;
    void SetUndoActionCursorPos(TEditorState& s) override;
    bool SizeChanged() const override { return false; }
};

class TEditAction : public TAction {
public:
    TEditAction(std::uint8_t kind, std::int32_t group, std::int32_t position, bool inCharArea,
                std::uint8_t value);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
    void SetDoActionCursorPos(TEditorState& s) override;
    bool SizeChanged() const override { return false; }
};

// Removes the byte before the recorded position (the cursor byte).
class TBackspaceAction : public TAction {
public:
    TBackspaceAction(std::uint8_t kind, std::int32_t group, std::int32_t position, bool inCharArea);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
    void SetDoActionCursorPos(TEditorState& s) override;
};

// Removes the byte at the recorded position.
class TDeleteAction : public TAction {
public:
    TDeleteAction(std::uint8_t kind, std::int32_t group, std::int32_t position, bool inCharArea);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
};

// Inserts one unmarked zero byte at the recorded position (which may be Size: that appends).
class TInsertAction : public TAction {
public:
    TInsertAction(std::uint8_t kind, std::int32_t group, std::int32_t position, bool inCharArea);
    bool DoAction(TEditorState& s) override;
    bool UndoAction(TEditorState& s) override;
};

// Byte moves shared by the actions. Growth always comes first, so a failed fit (std::bad_alloc)
// leaves the document as it was.
namespace DocumentEdit {
// Opens a gap of k bytes at p: fits both blocks to Size + k, moves the tail up, raises Size.
void OpenGap(TEditorState& s, std::int32_t p, std::int32_t k);
// Closes k bytes at p: moves the tail down, lowers Size, fits both blocks to the new Size.
void CloseGap(TEditorState& s, std::int32_t p, std::int32_t k);
// Fits both blocks to the current Size again, after a failed growth.
void RefitToSize(TEditorState& s);
} // namespace DocumentEdit

// Shows the memory shortage message of an action as an error box.
void ShowMemoryError(TEditorState& s, const char* german, const char* english);
