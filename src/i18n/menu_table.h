#pragma once

#include <span>
#include <string_view>
#include <vector>

// The menus of the main window as data: the window builds its menu bar, the hidden shortcut menu
// and the context menu of the view from this list, in this order.

inline constexpr const char* MainMenuName = "MainMenu";
inline constexpr const char* PopupMenuName = "PopupMenu";

enum class TMenuEntryKind {
    Menu,    // a top-level menu of the menu bar
    Submenu, // an item that opens a submenu
    Command, // a plain item
    Radio,   // one of a radio group (see RadioGroup)
    Check,   // an item with a check mark of its own
    Separator,
};

// Where an entry's caption comes from.
enum class TCaptionSource {
    Table,  // the caption table, per language
    State,  // set by the command-state refresh: undo, redo and the recent files
    Swatch, // owner-drawn colour item: no caption, a swatch of SwatchCode
    None,   // separators and the never-visible shortcut items
};

struct TMenuEntry {
    const char* Name;   // component name, unique over all menus
    const char* Parent; // MainMenuName, PopupMenuName or the enclosing menu or submenu
    TMenuEntryKind Kind;
    const char* Handler; // the window's click handler; empty when the entry has none
    TCaptionSource Caption;
    int RadioGroup;  // 1 view mode, 2 language, 3 print marks; 0 when no radio item
    int SwatchCode;  // the mark code shown by a swatch item, -1 otherwise
    bool NeverShown; // the shortcut menu and its items
};

std::span<const TMenuEntry> MenuEntries();

// nullptr when there is no entry of that name.
const TMenuEntry* FindMenuEntry(std::string_view name);

// The entries directly below parent, in order, separators included.
std::vector<const TMenuEntry*> MenuChildren(std::string_view parent);

// The shortcut-only menu that is never shown.
inline constexpr const char* ShortCutMenuName = "Acc1";
// The separator above the recent files; visible when a recent path is set.
inline constexpr const char* RecentFilesSeparatorName = "RecentFilesSeparator";
