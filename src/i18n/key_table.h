#pragma once

#include <QKeyCombination>

#include <span>
#include <string_view>

// Which key belongs to which menu item. The same in both languages; the window assigns them
// whenever it sets the captions. A key works only while its item is enabled.
struct TKeyBinding {
    const char* Component;
    QKeyCombination Key;
    // The context-menu items show the key of their menu-bar item, which carries the binding;
    // binding it twice would make the key ambiguous.
    bool ShownOnly;
};

std::span<const TKeyBinding> KeyBindings();

// nullptr when the item has no key.
const TKeyBinding* FindKeyBinding(std::string_view component);
