#include "i18n/key_table.h"

namespace {

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers ShiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
constexpr Qt::KeyboardModifiers ShiftAlt = Qt::ShiftModifier | Qt::AltModifier;

constexpr TKeyBinding Bind(const char* component, Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return {component, QKeyCombination(modifiers, key), false};
}
constexpr TKeyBinding Shown(const char* component, Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return {component, QKeyCombination(modifiers, key), true};
}

constexpr TKeyBinding Bindings[] = {
    Bind("NewMainMenuItem", Ctrl, Qt::Key_N),
    Bind("FileOpenMainMenuItem", Ctrl, Qt::Key_O),
    Bind("FileSaveMainMenuItem", Ctrl, Qt::Key_S),
    Bind("FileInfoStatistikMainMenuItem", Ctrl, Qt::Key_I),
    Bind("EditUndoMainMenuItem", Ctrl, Qt::Key_Z),
    Bind("EditRedoMainMenuItem", ShiftCtrl, Qt::Key_Z),
    Bind("AltBackAcc", Alt, Qt::Key_Backspace),
    Bind("ShiftAltBackAcc", ShiftAlt, Qt::Key_Backspace),
    Bind("BackAcc", None, Qt::Key_Backspace),
    Bind("DeleteByteMainMenuItem", None, Qt::Key_Delete),
    Bind("DeleteBytesMainMenuItem", Shift, Qt::Key_Delete),
    Bind("InsertByteMainMenuItem", None, Qt::Key_Insert),
    Bind("InsertBytesMainMenuItem", Shift, Qt::Key_Insert),
    Bind("AppendByteMainMenuItem", Ctrl, Qt::Key_Insert),
    Bind("AppendBytesMainMenuItem", ShiftCtrl, Qt::Key_Insert),
    Bind("FindMainMenuItem", Ctrl, Qt::Key_F),
    Bind("ReplaceMainMenuItem", Ctrl, Qt::Key_E),
    Bind("FindNextMainMenuItem", None, Qt::Key_F3),
    Bind("CtrlLAcc", Ctrl, Qt::Key_L),
    Bind("FindPreviousMainMenuItem", Shift, Qt::Key_F3),
    Bind("ShiftCtrlLAcc", ShiftCtrl, Qt::Key_L),
    Bind("GotoMainMenuItem", Ctrl, Qt::Key_T),
    Bind("GotoNextIdenticalByteMainMenuItem", Shift, Qt::Key_Right),
    Bind("ShiftDownAcc", Shift, Qt::Key_Down),
    Shown("GotoNextIdenticalBytePopUpMenuItem", Shift, Qt::Key_Right),
    Bind("GotoPreviousIdenticalByteMainMenuItem", Shift, Qt::Key_Left),
    Bind("ShiftUpAcc", Shift, Qt::Key_Up),
    Shown("GotoPreviousIdenticalBytePopUpMenuItem", Shift, Qt::Key_Left),
    Bind("MarkRedMainMenuItem", Ctrl, Qt::Key_R),
    Bind("MarkGreenMainMenuItem", Ctrl, Qt::Key_G),
    Bind("MarkBlueMainMenuItem", Ctrl, Qt::Key_B),
    Bind("MarkCyanMainMenuItem", Ctrl, Qt::Key_C),
    Bind("MarkMagentaMainMenuItem", Ctrl, Qt::Key_M),
    Bind("MarkYellowMainMenuItem", Ctrl, Qt::Key_Y),
    Shown("MarkRedPopUpMenuItem", Ctrl, Qt::Key_R),
    Shown("MarkGreenPopUpMenuItem", Ctrl, Qt::Key_G),
    Shown("MarkBluePopUpMenuItem", Ctrl, Qt::Key_B),
    Shown("MarkCyanPopUpMenuItem", Ctrl, Qt::Key_C),
    Shown("MarkMagentaPopUpMenuItem", Ctrl, Qt::Key_M),
    Shown("MarkYellowPopUpMenuItem", Ctrl, Qt::Key_Y),
    Bind("MarkUnmarkMainMenuItem", Ctrl, Qt::Key_U),
    Shown("MarkUnmarkPopUpMenuItem", Ctrl, Qt::Key_U),
    Bind("MarkGotoNextMainMenuItem", Ctrl, Qt::Key_Right),
    Bind("CtrlDownAcc", Ctrl, Qt::Key_Down),
    Shown("MarkGotoNextPopUpMenuItem", Ctrl, Qt::Key_Right),
    Bind("MarkGotoPreviousMainMenuItem", Ctrl, Qt::Key_Left),
    Bind("CtrlUpAcc", Ctrl, Qt::Key_Up),
    Shown("MarkGotoPreviousPopUpMenuItem", Ctrl, Qt::Key_Left),
    Bind("MarkGotoNextIdenticalMainMenuItem", ShiftCtrl, Qt::Key_Right),
    Bind("ShiftCtrlDownAcc", ShiftCtrl, Qt::Key_Down),
    Shown("MarkGotoNextIdenticalPopUpMenuItem", ShiftCtrl, Qt::Key_Right),
    Bind("MarkGotoPreviousIdenticalMainMenuItem", ShiftCtrl, Qt::Key_Left),
    Bind("ShiftCtrlUpAcc", ShiftCtrl, Qt::Key_Up),
    Shown("MarkGotoPreviousIdenticalPopUpMenuItem", ShiftCtrl, Qt::Key_Left),
    Bind("OptionHexMainMenuItem", Ctrl, Qt::Key_H),
    Bind("OptionDecMainMenuItem", Ctrl, Qt::Key_D),
    Bind("HilfeInhaltMenuItem", None, Qt::Key_F1),
    Bind("PageUpAcc", None, Qt::Key_PageUp),
    Bind("PageDownAcc", None, Qt::Key_PageDown),
    Bind("UpAcc", None, Qt::Key_Up),
    Bind("DownAcc", None, Qt::Key_Down),
    Bind("LeftAcc", None, Qt::Key_Left),
    Bind("RightAcc", None, Qt::Key_Right),
    Bind("HomeAcc", None, Qt::Key_Home),
    Bind("EndAcc", None, Qt::Key_End),
    Bind("TabAcc", None, Qt::Key_Tab),
    // Qt delivers this as Shift+Backtab; its shortcut matching also tries Shift+Tab.
    Bind("ShiftTabAcc", Shift, Qt::Key_Tab),
};

} // namespace

std::span<const TKeyBinding> KeyBindings() {
    return Bindings;
}

const TKeyBinding* FindKeyBinding(std::string_view component) {
    for (const TKeyBinding& binding : Bindings) {
        if (component == binding.Component) {
            return &binding;
        }
    }
    return nullptr;
}
