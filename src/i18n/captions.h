#pragma once

#include <span>
#include <string_view>

// The texts the language switch sets on the main window, in both languages (UTF-8; "&" marks
// the access key and is part of a caption).

enum class TCaptionKind {
    Caption,     // a menu item's caption
    Hint,        // a speed button's tool tip
    DialogTitle, // the title of one of the window's file dialogs
};

struct TCaptionEntry {
    const char* Component;
    TCaptionKind Kind;
    const char* German;
    const char* English;
};

std::span<const TCaptionEntry> CaptionEntries();

// nullptr when the component has no text in the table.
const TCaptionEntry* FindCaption(std::string_view component);
const char* CaptionText(std::string_view component, int language);

// The label of the value panel of the status bar.
const char* ValuePrefixText(int language);

// The name of a mark colour: code 1 .. 6 red, green, blue, cyan, magenta, yellow; 0 is the
// unmarked state that the Unmark items show. nullptr for any other code.
const char* MarkColorName(int code, int language);

// Of the two decimal-view buttons, the one shown in the language; the other is hidden.
const char* VisibleDecimalButton(int language);
const char* HiddenDecimalButton(int language);
