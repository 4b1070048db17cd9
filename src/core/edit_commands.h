#pragma once

#include <cstdint>

class TEditorState;

// The main window's cursor and editing commands that need no dialog. Each changing command takes
// one fresh operation number, records one action with show on, and ends with the command-state
// refresh.
class TEditCommands {
public:
    explicit TEditCommands(TEditorState& state) : S(state) {}

    // Cursor movement.
    void DoUp();
    void DoDown();
    void DoPageUp();
    void DoPageDown();
    void DoRight();
    void DoLeft();
    void DoHome();
    void DoEnd();
    void DoTab();

    // A typed character (a Unicode code point) that is no shortcut.
    void FormKeyPress(char32_t key);
    void DoBackspace();
    void DoDelete();
    void DoInsert();
    void DoAppendByte();
    void EditUndoMainMenuItemClick();
    void EditRedoMainMenuItemClick();

    // Whether the document has bytes and the cursor stands on one.
    bool CursorUsable() const;

private:
    void Record(class TAction* action);
    // The new value for a digit typed into the number area, or -1 when the key is refused.
    int DigitValue(char32_t key, std::uint8_t current, bool& tooLarge) const;

    TEditorState& S;
};
