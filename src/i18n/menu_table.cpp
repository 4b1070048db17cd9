#include "i18n/menu_table.h"

namespace {

using K = TMenuEntryKind;
using C = TCaptionSource;

constexpr TMenuEntry Menu(const char* name, const char* parent, C caption = C::Table) {
    return {name, parent, K::Menu, "", caption, 0, -1, false};
}
constexpr TMenuEntry Sub(const char* name, const char* parent) {
    return {name, parent, K::Submenu, "", C::Table, 0, -1, false};
}
constexpr TMenuEntry Item(const char* name, const char* parent, const char* handler,
                          C caption = C::Table) {
    return {name, parent, K::Command, handler, caption, 0, -1, false};
}
constexpr TMenuEntry Radio(const char* name, const char* parent, const char* handler, int group) {
    return {name, parent, K::Radio, handler, C::Table, group, -1, false};
}
constexpr TMenuEntry Check(const char* name, const char* parent, const char* handler) {
    return {name, parent, K::Check, handler, C::Table, 0, -1, false};
}
constexpr TMenuEntry Swatch(const char* name, const char* parent, const char* handler, int code) {
    return {name, parent, K::Command, handler, C::Swatch, 0, code, false};
}
constexpr TMenuEntry Sep(const char* name, const char* parent) {
    return {name, parent, K::Separator, "", C::None, 0, -1, false};
}
constexpr TMenuEntry Acc(const char* name, const char* handler) {
    return {name, ShortCutMenuName, K::Command, handler, C::None, 0, -1, true};
}

constexpr const char* Main = MainMenuName;
constexpr const char* Popup = PopupMenuName;
constexpr const char* File = "FileMainMenuItem";
constexpr const char* Edit = "EditMainMenuItem";
constexpr const char* Mark = "MarkMainMenuItem";
constexpr const char* PrevSub = "MarkGotoPreviuosMainMenu";
constexpr const char* NextSub = "MarkGotoNextMainMenu";
constexpr const char* Options = "OptionsMainMenuItem";
constexpr const char* Help = "HelpMainMenuItem";

// Separators stand between the groups a user looks for: in File between documents, other
// sources, marks files, output and exit; in Edit around undo, byte editing, search and going
// to a position; in Mark as in the context menu; in Options between the radio groups and the
// check items; in Help before the about box.
constexpr TMenuEntry Entries[] = {
    Menu(File, Main),
    Item("NewMainMenuItem", File, "NewMainMenuItemClick"),
    Item("FileOpenMainMenuItem", File, "DoOpenFromFile"),
    Item("FileSaveMainMenuItem", File, "DoSave"),
    Item("FileSaveAsMainMenuItem", File, "DoSaveAs"),
    Sep("FileSeparator1", File),
    Item("LoadFromClipboardMainMenuItem", File, "LoadFromClipboardMainMenuItemClick"),
    Item("CompareMenuItem", File, "CompareMenuItemClick"),
    Sep("FileSeparator2", File),
    Item("MarkOpenMainMenuItem", File, "MarkOpenMainMenuItemClick"),
    Item("MarkSaveAsMainMenuItem", File, "MarkSaveAsMainMenuItemClick"),
    Sep("FileSeparator3", File),
    Item("FilePrintMainMenuItem", File, "DoPrint"),
    Item("FileInfoStatistikMainMenuItem", File, "FileInfoStatistikMainMenuItemClick"),
    Sep("FileSeparator4", File),
    Item("EndMainMenuItem", File, "EndMainMenuItemClick"),
    Sep(RecentFilesSeparatorName, File),
    Item("File0MenuItem", File, "File0MenuItemClick", C::State),
    Item("File1MenuItem", File, "File1MenuItemClick", C::State),
    Item("File2MenuItem", File, "File2MenuItemClick", C::State),
    Item("File3MenuItem", File, "File3MenuItemClick", C::State),
    Item("File4MenuItem", File, "File4MenuItemClick", C::State),

    Menu(Edit, Main),
    Item("EditUndoMainMenuItem", Edit, "EditUndoMainMenuItemClick", C::State),
    Item("EditRedoMainMenuItem", Edit, "EditRedoMainMenuItemClick", C::State),
    Sep("EditSeparator1", Edit),
    Item("DeleteByteMainMenuItem", Edit, "DoDelete"),
    Item("DeleteBytesMainMenuItem", Edit, "DeleteBytesMainMenuItemClick"),
    Item("InsertByteMainMenuItem", Edit, "DoInsert"),
    Item("InsertBytesMainMenuItem", Edit, "InsertBytesMainMenuItemClick"),
    Item("AppendByteMainMenuItem", Edit, "DoAppendByte"),
    Item("AppendBytesMainMenuItem", Edit, "AppendBytesMainMenuItemClick"),
    Sep("EditSeparator2", Edit),
    Item("FindMainMenuItem", Edit, "FindMainMenuItemClick"),
    Item("FindPreviousMainMenuItem", Edit, "FindPreviousMainMenuItemClick"),
    Item("FindNextMainMenuItem", Edit, "FindNextMainMenuItemClick"),
    Item("ReplaceMainMenuItem", Edit, "ReplaceMainMenuItemClick"),
    Item("FindAndMarkMainMenuItem", Edit, "FindAndMarkMainMenuItemClick"),
    Sep("EditSeparator3", Edit),
    Item("GotoMainMenuItem", Edit, "DoGoto"),
    Item("GotoPreviousIdenticalByteMainMenuItem", Edit,
         "GotoPreviousIdenticalByteMainMenuItemClick"),
    Item("GotoNextIdenticalByteMainMenuItem", Edit, "GotoNextIdenticalByteMainMenuItemClick"),

    Menu(Mark, Main),
    Swatch("MarkRedMainMenuItem", Mark, "DoMarkRed", 1),
    Swatch("MarkGreenMainMenuItem", Mark, "DoMarkGreen", 2),
    Swatch("MarkBlueMainMenuItem", Mark, "DoMarkBlue", 3),
    Swatch("MarkCyanMainMenuItem", Mark, "DoMarkCyan", 4),
    Swatch("MarkMagentaMainMenuItem", Mark, "DoMarkMagenta", 5),
    Swatch("MarkYellowMainMenuItem", Mark, "DoMarkYellow", 6),
    Sep("MarkSeparator1", Mark),
    Swatch("MarkUnmarkMainMenuItem", Mark, "DoUnmark", 0),
    Item("MarkUnmarkAllMainMenuItem", Mark, "DoUnmarkAll"),
    Sep("MarkSeparator2", Mark),
    Item("MarkGotoPreviousMainMenuItem", Mark, "DoGotoPreviousMark"),
    Item("MarkGotoNextMainMenuItem", Mark, "DoGotoNextMark"),
    Sub(PrevSub, Mark),
    Swatch("MarkGotoPreviousRedMainMenuItem", PrevSub, "MarkGotoPreviousRedMainMenuItemClick", 1),
    Swatch("MarkGotoPreviousGreenMainMenuItem", PrevSub, "MarkGotoPreviousGreenMainMenuItemClick",
           2),
    Swatch("MarkGotoPreviousBlueMainMenuItem", PrevSub, "MarkGotoPreviousBlueMainMenuItemClick", 3),
    Swatch("MarkGotoPreviousCyanMainMenuItem", PrevSub, "MarkGotoPreviousCyanMainMenuItemClick", 4),
    Swatch("MarkGotoPreviousMagentaMainMenuItem", PrevSub,
           "MarkGotoPreviousMagentaMainMenuItemClick", 5),
    Swatch("MarkGotoPreviousYellowMainMenuItem", PrevSub, "MarkGotoPreviousYellowMainMenuItemClick",
           6),
    Sub(NextSub, Mark),
    Swatch("MarkGotoNextRedMainMenuItem", NextSub, "MarkGotoNextRedMainMenuItemClick", 1),
    Swatch("MarkGotoNextGreenMainMenuItem", NextSub, "MarkGotoNextGreenMainMenuItemClick", 2),
    Swatch("MarkGotoNextBlueMainMenuItem", NextSub, "MarkGotoNextBlueMainMenuItemClick", 3),
    Swatch("MarkGotoNextCyanMainMenuItem", NextSub, "MarkGotoNextCyanMainMenuItemClick", 4),
    Swatch("MarkGotoNextMagentaMainMenuItem", NextSub, "MarkGotoNextMagentaMainMenuItemClick", 5),
    Swatch("MarkGotoNextYellowMainMenuItem", NextSub, "MarkGotoNextYellowMainMenuItemClick", 6),
    Sep("MarkSeparator3", Mark),
    Item("MarkGotoPreviousIdenticalMainMenuItem", Mark,
         "MarkGotoPreviousIdenticalMainMenuItemClick"),
    Item("MarkGotoNextIdenticalMainMenuItem", Mark, "MarkGotoNextIdenticalMainMenuItemClick"),

    Menu(Options, Main),
    Radio("OptionHexMainMenuItem", Options, "HexClick", 1),
    Radio("OptionDecMainMenuItem", Options, "DecClick", 1),
    Sep("OptionsSeparator1", Options),
    Radio("EnglishMenuItem", Options, "EnglishMenuItemClick", 2),
    Radio("DeutschMenuItem", Options, "DeutschMenuItemClick", 2),
    Sep("OptionsSeparator2", Options),
    Radio("OptionPrintMarksHatchedMenuItem", Options, "OptionPrintMarksHatchedMenuItemClick", 3),
    Radio("OptionPrintMarksUsingColorsMenuItem", Options,
          "OptionPrintMarksUsingColorsMenuItemClick", 3),
    Radio("OptionDoNotPrintMarksMenuItem", Options, "OptionDoNotPrintMarksMenuItemClick", 3),
    Sep("OptionsSeparator3", Options),
    Check("CreatebackupfilesMenuItem", Options, "CreatebackupfilesMenuItemClick"),
    Check("OverwriteWarnMenuItem", Options, "OverwriteWarnMenuItemClick"),
    Check("KeepmarksonloadMenuItem", Options, "KeepmarksonloadMenuItemClick"),
    Check("OptionNoUnknownMenuItem", Options, "OptionNoUnknownMenuItemClick"),

    Menu(Help, Main),
    Item("HilfeInhaltMenuItem", Help, "HilfeInhaltMenuItemClick"),
    Sep("HelpSeparator1", Help),
    Item("Info2", Help, "Info2Click"),

    {ShortCutMenuName, Main, K::Menu, "", C::None, 0, -1, true},
    Acc("ShiftAltBackAcc", "EditRedoMainMenuItemClick"),
    Acc("AltBackAcc", "EditUndoMainMenuItemClick"),
    Acc("BackAcc", "DoBackspace"),
    Acc("PageUpAcc", "DoPageUp"),
    Acc("PageDownAcc", "DoPageDown"),
    Acc("DownAcc", "DoDown"),
    Acc("UpAcc", "DoUp"),
    Acc("RightAcc", "DoRight"),
    Acc("LeftAcc", "DoLeft"),
    Acc("HomeAcc", "DoHome"),
    Acc("EndAcc", "DoEnd"),
    Acc("ShiftTabAcc", "DoTab"),
    Acc("TabAcc", "DoTab"),
    Acc("ShiftUpAcc", "GotoPreviousIdenticalByteMainMenuItemClick"),
    Acc("ShiftDownAcc", "GotoNextIdenticalByteMainMenuItemClick"),
    Acc("ShiftCtrlDownAcc", "MarkGotoNextIdenticalMainMenuItemClick"),
    Acc("ShiftCtrlUpAcc", "MarkGotoPreviousIdenticalMainMenuItemClick"),
    Acc("CtrlUpAcc", "DoGotoPreviousMark"),
    Acc("CtrlDownAcc", "DoGotoNextMark"),
    Acc("ShiftCtrlLAcc", "FindPreviousMainMenuItemClick"),
    Acc("CtrlLAcc", "FindNextMainMenuItemClick"),

    Swatch("MarkRedPopUpMenuItem", Popup, "DoMarkRed", 1),
    Swatch("MarkGreenPopUpMenuItem", Popup, "DoMarkGreen", 2),
    Swatch("MarkBluePopUpMenuItem", Popup, "DoMarkBlue", 3),
    Swatch("MarkCyanPopUpMenuItem", Popup, "DoMarkCyan", 4),
    Swatch("MarkMagentaPopUpMenuItem", Popup, "DoMarkMagenta", 5),
    Swatch("MarkYellowPopUpMenuItem", Popup, "DoMarkYellow", 6),
    Sep("PopupSeparator1", Popup),
    Swatch("MarkUnmarkPopUpMenuItem", Popup, "DoUnmark", 0),
    Sep("PopupSeparator2", Popup),
    Item("MarkGotoPreviousPopUpMenuItem", Popup, "DoGotoPreviousMark"),
    Item("MarkGotoNextPopUpMenuItem", Popup, "DoGotoNextMark"),
    Sep("PopupSeparator3", Popup),
    Item("MarkGotoPreviousIdenticalPopUpMenuItem", Popup,
         "MarkGotoPreviousIdenticalMainMenuItemClick"),
    Item("MarkGotoNextIdenticalPopUpMenuItem", Popup, "MarkGotoNextIdenticalMainMenuItemClick"),
    Sep("PopupSeparator4", Popup),
    Item("GotoPreviousIdenticalBytePopUpMenuItem", Popup,
         "GotoPreviousIdenticalByteMainMenuItemClick"),
    Item("GotoNextIdenticalBytePopUpMenuItem", Popup, "GotoNextIdenticalByteMainMenuItemClick"),
};

} // namespace

std::span<const TMenuEntry> MenuEntries() {
    return Entries;
}

const TMenuEntry* FindMenuEntry(std::string_view name) {
    for (const TMenuEntry& entry : Entries) {
        if (name == entry.Name) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<const TMenuEntry*> MenuChildren(std::string_view parent) {
    std::vector<const TMenuEntry*> children;
    for (const TMenuEntry& entry : Entries) {
        if (parent == entry.Parent) {
            children.push_back(&entry);
        }
    }
    return children;
}
