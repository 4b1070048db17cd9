#include "i18n/captions.h"
#include "i18n/key_table.h"
#include "i18n/menu_table.h"
#include "i18n/toolbar_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using K = TMenuEntryKind;

std::vector<std::string> ItemNames(std::string_view parent) {
    std::vector<std::string> names;
    for (const TMenuEntry* entry : MenuChildren(parent)) {
        if (entry->Kind != K::Separator) {
            names.push_back(entry->Name);
        }
    }
    return names;
}

bool InPopup(const TMenuEntry& entry) {
    return std::string(entry.Parent) == PopupMenuName;
}

bool InShortCutMenu(const TMenuEntry& entry) {
    return entry.NeverShown;
}

// The menu-bar item that a context-menu item mirrors.
std::string MainItemOf(const std::string& popupName) {
    std::string name = popupName;
    name.replace(name.find("PopUpMenuItem"), 13, "MainMenuItem");
    return name;
}

TEST(MenuTable, ItemsStandInTheirOrder) {
    const struct {
        const char* Parent;
        size_t Index; // among the items, separators not counted
        const char* Name;
    } cases[] = {
        {MainMenuName, 0, "FileMainMenuItem"},
        {MainMenuName, 4, "HelpMainMenuItem"},
        {MainMenuName, 5, "Acc1"},
        {"FileMainMenuItem", 0, "NewMainMenuItem"},
        {"FileMainMenuItem", 4, "LoadFromClipboardMainMenuItem"},
        {"FileMainMenuItem", 6, "MarkOpenMainMenuItem"},
        {"FileMainMenuItem", 10, "EndMainMenuItem"},
        {"FileMainMenuItem", 11, "File0MenuItem"},
        {"FileMainMenuItem", 15, "File4MenuItem"},
        {"EditMainMenuItem", 0, "EditUndoMainMenuItem"},
        {"EditMainMenuItem", 8, "FindMainMenuItem"},
        {"EditMainMenuItem", 9, "FindPreviousMainMenuItem"},
        {"EditMainMenuItem", 10, "FindNextMainMenuItem"},
        {"EditMainMenuItem", 15, "GotoNextIdenticalByteMainMenuItem"},
        {"MarkMainMenuItem", 6, "MarkUnmarkMainMenuItem"},
        {"MarkMainMenuItem", 8, "MarkGotoPreviousMainMenuItem"},
        {"MarkMainMenuItem", 10, "MarkGotoPreviuosMainMenu"},
        {"MarkMainMenuItem", 11, "MarkGotoNextMainMenu"},
        {"MarkMainMenuItem", 13, "MarkGotoNextIdenticalMainMenuItem"},
        {"MarkGotoPreviuosMainMenu", 0, "MarkGotoPreviousRedMainMenuItem"},
        {"MarkGotoNextMainMenu", 5, "MarkGotoNextYellowMainMenuItem"},
        {"OptionsMainMenuItem", 2, "EnglishMenuItem"},
        {"OptionsMainMenuItem", 6, "OptionDoNotPrintMarksMenuItem"},
        {"OptionsMainMenuItem", 10, "OptionNoUnknownMenuItem"},
        {"HelpMainMenuItem", 1, "Info2"},
        {ShortCutMenuName, 0, "ShiftAltBackAcc"},
        {ShortCutMenuName, 12, "TabAcc"},
        {ShortCutMenuName, 20, "CtrlLAcc"},
        {PopupMenuName, 5, "MarkYellowPopUpMenuItem"},
        {PopupMenuName, 6, "MarkUnmarkPopUpMenuItem"},
        {PopupMenuName, 12, "GotoNextIdenticalBytePopUpMenuItem"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Parent) + " " + std::to_string(c.Index));
        const std::vector<std::string> names = ItemNames(c.Parent);
        ASSERT_LT(c.Index, names.size());
        EXPECT_EQ(names[c.Index], c.Name);
    }
}

TEST(MenuTable, EveryMenuHasAllItsItems) {
    const std::map<std::string, size_t> counts = {
        {MainMenuName, 6},           {"FileMainMenuItem", 16},        {"EditMainMenuItem", 16},
        {"MarkMainMenuItem", 14},    {"MarkGotoPreviuosMainMenu", 6}, {"MarkGotoNextMainMenu", 6},
        {"OptionsMainMenuItem", 11}, {"HelpMainMenuItem", 2},         {ShortCutMenuName, 21},
        {PopupMenuName, 13},
    };
    size_t parents = 0;
    for (const TMenuEntry& entry : MenuEntries()) {
        if (entry.Kind == K::Menu || entry.Kind == K::Submenu) {
            ++parents;
            EXPECT_TRUE(counts.contains(entry.Name)) << entry.Name;
        }
    }
    EXPECT_EQ(parents + 2, counts.size()); // plus the menu bar and the context menu
    for (const auto& [parent, count] : counts) {
        EXPECT_EQ(ItemNames(parent).size(), count) << parent;
    }
}

TEST(MenuTable, NamesAreUniqueAndParentsExist) {
    std::set<std::string> names;
    for (const TMenuEntry& entry : MenuEntries()) {
        EXPECT_TRUE(names.insert(entry.Name).second) << entry.Name << " twice";
        EXPECT_EQ(FindMenuEntry(entry.Name), &entry);
        const std::string parent = entry.Parent;
        if (parent == MainMenuName) {
            EXPECT_EQ(entry.Kind, K::Menu) << entry.Name;
        } else if (parent != PopupMenuName) {
            const TMenuEntry* owner = FindMenuEntry(parent);
            ASSERT_NE(owner, nullptr) << entry.Name;
            EXPECT_TRUE(owner->Kind == K::Menu || owner->Kind == K::Submenu) << entry.Name;
            // A child comes after its menu, so the window can build in one pass.
            EXPECT_LT(owner, &entry) << entry.Name;
        }
        EXPECT_EQ(entry.NeverShown,
                  entry.Name == std::string(ShortCutMenuName) || parent == ShortCutMenuName)
            << entry.Name;
    }
    EXPECT_EQ(FindMenuEntry("NoSuchMenuItem"), nullptr);
}

TEST(MenuTable, SeparatorsOnlyBetweenGroups) {
    std::vector<std::string_view> menus = {PopupMenuName};
    for (const TMenuEntry& entry : MenuEntries()) {
        if (entry.Kind == K::Menu || entry.Kind == K::Submenu) {
            menus.push_back(entry.Name);
        }
    }
    for (const std::string_view parent : menus) {
        const auto children = MenuChildren(parent);
        ASSERT_FALSE(children.empty()) << parent;
        EXPECT_NE(children.front()->Kind, K::Separator) << parent;
        EXPECT_NE(children.back()->Kind, K::Separator) << parent;
        for (size_t i = 1; i < children.size(); ++i) {
            EXPECT_FALSE(children[i - 1]->Kind == K::Separator && children[i]->Kind == K::Separator)
                << parent << " " << i;
        }
    }
    // The context menu: after the colours, after Unmark, and between the three pairs.
    std::vector<std::string> afterSeparator;
    const auto popup = MenuChildren(PopupMenuName);
    for (size_t i = 0; i + 1 < popup.size(); ++i) {
        if (popup[i]->Kind == K::Separator) {
            afterSeparator.push_back(popup[i + 1]->Name);
        }
    }
    EXPECT_EQ(afterSeparator,
              (std::vector<std::string>{"MarkUnmarkPopUpMenuItem", "MarkGotoPreviousPopUpMenuItem",
                                        "MarkGotoPreviousIdenticalPopUpMenuItem",
                                        "GotoPreviousIdenticalBytePopUpMenuItem"}));
    // The recent files follow Exit after their own separator.
    const auto file = MenuChildren("FileMainMenuItem");
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i]->Name == std::string(RecentFilesSeparatorName)) {
            ASSERT_TRUE(i > 0 && i + 1 < file.size());
            EXPECT_STREQ(file[i - 1]->Name, "EndMainMenuItem");
            EXPECT_STREQ(file[i + 1]->Name, "File0MenuItem");
        }
    }
    EXPECT_NE(FindMenuEntry(RecentFilesSeparatorName), nullptr);
}

TEST(MenuTable, EachMenuBarItemHasItsOwnHandler) {
    std::map<std::string, std::string> ownerOfHandler;
    for (const TMenuEntry& entry : MenuEntries()) {
        const bool clickable =
            entry.Kind == K::Command || entry.Kind == K::Radio || entry.Kind == K::Check;
        EXPECT_EQ(clickable, std::string(entry.Handler) != "") << entry.Name;
        if (clickable && !InPopup(entry) && !InShortCutMenu(entry)) {
            const auto [it, fresh] = ownerOfHandler.emplace(entry.Handler, entry.Name);
            EXPECT_TRUE(fresh) << entry.Handler << " on " << it->second << " and " << entry.Name;
        }
    }
    // The context menu mirrors menu-bar items and calls their handlers.
    for (const TMenuEntry* entry : MenuChildren(PopupMenuName)) {
        if (entry->Kind == K::Separator) {
            continue;
        }
        const TMenuEntry* main = FindMenuEntry(MainItemOf(entry->Name));
        ASSERT_NE(main, nullptr) << entry->Name;
        EXPECT_STREQ(entry->Handler, main->Handler) << entry->Name;
    }
    // The shortcut-only items call a menu-bar command or move the cursor.
    const std::set<std::string> cursorCommands = {"DoBackspace", "DoPageUp", "DoPageDown", "DoUp",
                                                  "DoDown",      "DoLeft",   "DoRight",    "DoHome",
                                                  "DoEnd",       "DoTab"};
    for (const TMenuEntry* entry : MenuChildren(ShortCutMenuName)) {
        EXPECT_TRUE(ownerOfHandler.contains(entry->Handler) ||
                    cursorCommands.contains(entry->Handler))
            << entry->Name << " calls " << entry->Handler;
    }
    const struct {
        const char* Acc;
        const char* MainItem;
    } mirrors[] = {
        {"AltBackAcc", "EditUndoMainMenuItem"},
        {"ShiftAltBackAcc", "EditRedoMainMenuItem"},
        {"CtrlLAcc", "FindNextMainMenuItem"},
        {"ShiftCtrlLAcc", "FindPreviousMainMenuItem"},
        {"ShiftDownAcc", "GotoNextIdenticalByteMainMenuItem"},
        {"ShiftUpAcc", "GotoPreviousIdenticalByteMainMenuItem"},
        {"CtrlDownAcc", "MarkGotoNextMainMenuItem"},
        {"CtrlUpAcc", "MarkGotoPreviousMainMenuItem"},
        {"ShiftCtrlDownAcc", "MarkGotoNextIdenticalMainMenuItem"},
        {"ShiftCtrlUpAcc", "MarkGotoPreviousIdenticalMainMenuItem"},
    };
    for (const auto& m : mirrors) {
        EXPECT_STREQ(FindMenuEntry(m.Acc)->Handler, FindMenuEntry(m.MainItem)->Handler) << m.Acc;
    }
    EXPECT_STREQ(FindMenuEntry("TabAcc")->Handler, "DoTab");
    EXPECT_STREQ(FindMenuEntry("ShiftTabAcc")->Handler, "DoTab");
}

TEST(MenuTable, RadioGroupsAndCheckItemsOfTheOptions) {
    std::map<int, std::vector<std::string>> groups;
    std::vector<std::string> checks;
    int lastGroup = 0;
    std::set<int> closed;
    for (const TMenuEntry* entry : MenuChildren("OptionsMainMenuItem")) {
        if (entry->Kind == K::Radio) {
            // A group's items stand together.
            EXPECT_FALSE(closed.contains(entry->RadioGroup)) << entry->Name;
            groups[entry->RadioGroup].push_back(entry->Name);
        } else if (entry->Kind == K::Check) {
            checks.push_back(entry->Name);
        }
        if (lastGroup != 0 && entry->RadioGroup != lastGroup) {
            closed.insert(lastGroup);
        }
        lastGroup = entry->RadioGroup;
    }
    EXPECT_EQ(groups[1],
              (std::vector<std::string>{"OptionHexMainMenuItem", "OptionDecMainMenuItem"}));
    EXPECT_EQ(groups[2], (std::vector<std::string>{"EnglishMenuItem", "DeutschMenuItem"}));
    EXPECT_EQ(groups[3].size(), 3u);
    EXPECT_EQ(groups.size(), 3u);
    EXPECT_EQ(checks.size(), 4u);
    for (const TMenuEntry& entry : MenuEntries()) {
        EXPECT_EQ(entry.Kind == K::Radio, entry.RadioGroup != 0) << entry.Name;
        if (entry.Kind == K::Radio || entry.Kind == K::Check) {
            EXPECT_STREQ(entry.Parent, "OptionsMainMenuItem") << entry.Name;
        }
    }
}

TEST(MenuTable, ColourItemsAreSwatchesInColourOrder) {
    const std::map<std::string, std::vector<int>> expected = {
        {"MarkMainMenuItem", {1, 2, 3, 4, 5, 6, 0}},
        {"MarkGotoPreviuosMainMenu", {1, 2, 3, 4, 5, 6}},
        {"MarkGotoNextMainMenu", {1, 2, 3, 4, 5, 6}},
        {PopupMenuName, {1, 2, 3, 4, 5, 6, 0}},
    };
    std::map<std::string, std::vector<int>> codes;
    for (const TMenuEntry& entry : MenuEntries()) {
        EXPECT_EQ(entry.Caption == TCaptionSource::Swatch, entry.SwatchCode >= 0) << entry.Name;
        if (entry.SwatchCode >= 0) {
            codes[entry.Parent].push_back(entry.SwatchCode);
            EXPECT_NE(MarkColorName(entry.SwatchCode, 9), nullptr);
        }
    }
    EXPECT_EQ(codes, expected);
}

TEST(MenuTable, CaptionTableCoversExactlyTheTableCaptions) {
    for (const TMenuEntry& entry : MenuEntries()) {
        const TCaptionEntry* caption = FindCaption(entry.Name);
        if (entry.Caption == TCaptionSource::Table) {
            ASSERT_NE(caption, nullptr) << entry.Name;
            EXPECT_EQ(caption->Kind, TCaptionKind::Caption) << entry.Name;
        } else {
            EXPECT_EQ(caption, nullptr) << entry.Name << " gets its caption elsewhere";
        }
    }
    for (const char* stateItem :
         {"EditUndoMainMenuItem", "EditRedoMainMenuItem", "File0MenuItem", "File4MenuItem"}) {
        EXPECT_EQ(FindMenuEntry(stateItem)->Caption, TCaptionSource::State) << stateItem;
    }
    const std::set<std::string> dialogs = {"OpenDialog", "SaveDialog", "MarksOpenDialog",
                                           "MarksSaveDialog"};
    std::set<std::string> titled;
    for (const TCaptionEntry& caption : CaptionEntries()) {
        switch (caption.Kind) {
        case TCaptionKind::Caption:
            EXPECT_NE(FindMenuEntry(caption.Component), nullptr) << caption.Component;
            break;
        case TCaptionKind::Hint:
            EXPECT_NE(FindSpeedButton(caption.Component), nullptr) << caption.Component;
            break;
        case TCaptionKind::DialogTitle:
            titled.insert(caption.Component);
            break;
        }
    }
    EXPECT_EQ(titled, dialogs);
    for (const TSpeedButtonEntry& button : SpeedButtonEntries()) {
        const TCaptionEntry* hint = FindCaption(button.Name);
        ASSERT_NE(hint, nullptr) << button.Name;
        EXPECT_EQ(hint->Kind, TCaptionKind::Hint) << button.Name;
    }
}

TEST(KeyTable, EveryKeyCallsOneItem) {
    std::map<int, std::string> itemOfKey;
    for (const TKeyBinding& binding : KeyBindings()) {
        const TMenuEntry* entry = FindMenuEntry(binding.Component);
        ASSERT_NE(entry, nullptr) << binding.Component;
        EXPECT_EQ(FindKeyBinding(binding.Component), &binding) << "two keys on one item";
        EXPECT_EQ(binding.ShownOnly, InPopup(*entry)) << binding.Component;
        if (binding.ShownOnly) {
            // The context menu shows the key that its menu-bar item carries.
            const TKeyBinding* main = FindKeyBinding(MainItemOf(binding.Component));
            ASSERT_NE(main, nullptr) << binding.Component;
            EXPECT_EQ(main->Key, binding.Key) << binding.Component;
        } else {
            const auto [it, fresh] = itemOfKey.emplace(binding.Key.toCombined(), entry->Name);
            EXPECT_TRUE(fresh) << "one key on " << it->second << " and " << entry->Name;
        }
    }
    for (const TMenuEntry& entry : MenuEntries()) {
        if (entry.Kind == K::Command && (InShortCutMenu(entry) || InPopup(entry))) {
            EXPECT_NE(FindKeyBinding(entry.Name), nullptr) << entry.Name << " has no key";
        }
    }
    const struct {
        QKeyCombination Key;
        const char* Item;
    } spots[] = {
        {QKeyCombination(Qt::ControlModifier, Qt::Key_C), "MarkCyanMainMenuItem"},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_Y), "MarkYellowMainMenuItem"},
        {QKeyCombination(Qt::NoModifier, Qt::Key_F3), "FindNextMainMenuItem"},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_L), "CtrlLAcc"},
        {QKeyCombination(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_Backspace),
         "ShiftAltBackAcc"},
        {QKeyCombination(Qt::ShiftModifier | Qt::ControlModifier, Qt::Key_Insert),
         "AppendBytesMainMenuItem"},
        {QKeyCombination(Qt::ShiftModifier | Qt::ControlModifier, Qt::Key_Up), "ShiftCtrlUpAcc"},
        {QKeyCombination(Qt::ShiftModifier, Qt::Key_Tab), "ShiftTabAcc"},
    };
    for (const auto& s : spots) {
        EXPECT_EQ(itemOfKey[s.Key.toCombined()], s.Item);
    }
    // Items without a key of their own.
    for (const char* item : {"MarkUnmarkAllMainMenuItem", "MarkGotoNextRedMainMenuItem",
                             "FileSaveAsMainMenuItem", "Info2", "EnglishMenuItem"}) {
        EXPECT_EQ(FindKeyBinding(item), nullptr) << item;
    }
}

} // namespace
