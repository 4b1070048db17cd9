#pragma once

#include <QKeyCombination>
#include <QString>

// The names that shortcut texts are written with. Six of them have a German form; the rest read
// the same in both languages.
enum class TKeyNameId {
    Backspace,
    Tab,
    Escape,
    Enter,
    Space,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Up,
    Right,
    Down,
    Insert,
    Delete,
    ShiftPrefix,
    CtrlPrefix,
    AltPrefix,
};
constexpr int KeyNameCount = 18;

// The name in the language (UTF-8).
const char* KeyNameText(TKeyNameId id, int language);

// The text of a shortcut as a menu shows it: the prefixes for Shift, Ctrl and Alt in that order,
// then the key. Letters and digits (keypad digits too) as their character, F1 .. F24, the named
// keys above by their name and any other key by Qt's name for it. Qt's own texts differ from
// ours ("Backspace", "Strg+" only with a translator), so the text is made here.
QString ShortCutText(QKeyCombination key, int language);
QString ShortCutText(int key, Qt::KeyboardModifiers modifiers, int language);
