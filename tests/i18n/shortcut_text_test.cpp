#include "i18n/language.h"
#include "i18n/shortcut_text.h"
#include "qstring_print.h"

#include <gtest/gtest.h>

namespace {

constexpr int LangFrench = 12;

struct TShortCutCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    const char* English;
    const char* German;
};

TEST(ShortCutText, WritesPrefixesInOrderAndNamesKeysPerLanguage) {
    const Qt::KeyboardModifiers all =
        Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier; // any order in, fixed out
    const TShortCutCase cases[] = {
        {Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier, "Shift+Ctrl+Z", "Umsch+Strg+Z"},
        {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Del", "Umsch+Entf"},
        {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Ins", "Strg+Einfg"},
        {Qt::Key_Backspace, Qt::ShiftModifier | Qt::AltModifier, "Shift+Alt+BkSp",
         "Umsch+Alt+BkSp"},
        {Qt::Key_Q, all, "Shift+Ctrl+Alt+Q", "Umsch+Strg+Alt+Q"},
        {Qt::Key_Left, Qt::NoModifier, "Left", "Links"},
        {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right", "Strg+Rechts"},
        // Keys without a German name keep the English one.
        {Qt::Key_F3, Qt::NoModifier, "F3", "F3"},
        {Qt::Key_Up, Qt::NoModifier, "Up", "Up"},
        {Qt::Key_PageUp, Qt::NoModifier, "PgUp", "PgUp"},
        {Qt::Key_PageDown, Qt::NoModifier, "PgDn", "PgDn"},
        {Qt::Key_Escape, Qt::NoModifier, "Esc", "Esc"},
        {Qt::Key_Space, Qt::ControlModifier, "Ctrl+Space", "Strg+Space"},
        {Qt::Key_Home, Qt::NoModifier, "Home", "Home"},
        {Qt::Key_End, Qt::NoModifier, "End", "End"},
        {Qt::Key_Down, Qt::NoModifier, "Down", "Down"},
        {Qt::Key_Tab, Qt::NoModifier, "Tab", "Tab"},
    };
    for (const TShortCutCase& c : cases) {
        SCOPED_TRACE(c.English);
        EXPECT_EQ(ShortCutText(c.Key, c.Modifiers, LangEnglish), QString::fromUtf8(c.English));
        EXPECT_EQ(ShortCutText(c.Key, c.Modifiers, LangGerman), QString::fromUtf8(c.German));
        EXPECT_EQ(ShortCutText(c.Key, c.Modifiers, LangFrench), QString::fromUtf8(c.English));
    }
}

TEST(ShortCutText, WritesKeysOutsideTheNameTable) {
    const TShortCutCase cases[] = {
        {Qt::Key_7, Qt::NoModifier, "7", "7"},
        // A keypad digit is the digit; the keypad flag is no prefix.
        {Qt::Key_4, Qt::KeypadModifier | Qt::ControlModifier, "Ctrl+4", "Strg+4"},
        {Qt::Key_F1, Qt::NoModifier, "F1", "F1"},
        {Qt::Key_F24, Qt::ShiftModifier, "Shift+F24", "Umsch+F24"},
        // Qt reports Shift+Tab as Shift+Backtab; both Enter keys are the one Enter.
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab", "Umsch+Tab"},
        {Qt::Key_Return, Qt::NoModifier, "Enter", "Enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, "Enter", "Enter"},
        // Any other key by Qt's name, punctuation as its character.
        {Qt::Key_Print, Qt::NoModifier, "Print", "Print"},
        {Qt::Key_Pause, Qt::AltModifier, "Alt+Pause", "Alt+Pause"},
        {Qt::Key_Comma, Qt::ControlModifier, "Ctrl+,", "Strg+,"},
        {Qt::Key_Adiaeresis, Qt::NoModifier, "\xC3\x84", "\xC3\x84"},
        // A key without any name gives no text, so no bare prefix is shown.
        {0, Qt::ControlModifier, "", ""},
        {Qt::Key_unknown, Qt::ShiftModifier, "", ""},
    };
    for (const TShortCutCase& c : cases) {
        SCOPED_TRACE(c.Key);
        EXPECT_EQ(ShortCutText(c.Key, c.Modifiers, LangEnglish), QString::fromUtf8(c.English));
        EXPECT_EQ(ShortCutText(c.Key, c.Modifiers, LangGerman), QString::fromUtf8(c.German));
    }
}

TEST(ShortCutText, KeyCombinationGivesTheSameText) {
    EXPECT_EQ(ShortCutText(QKeyCombination(Qt::ShiftModifier | Qt::ControlModifier, Qt::Key_L),
                           LangGerman),
              QStringLiteral("Umsch+Strg+L"));
}

TEST(KeyNames, ExactlySixChangeWithTheLanguage) {
    int changed = 0;
    for (int i = 0; i < KeyNameCount; ++i) {
        const auto id = TKeyNameId(i);
        ASSERT_NE(KeyNameText(id, LangEnglish), nullptr);
        ASSERT_NE(KeyNameText(id, LangGerman), nullptr);
        if (std::string(KeyNameText(id, LangEnglish)) != KeyNameText(id, LangGerman)) {
            ++changed;
        }
    }
    EXPECT_EQ(changed, 6);
    EXPECT_STREQ(KeyNameText(TKeyNameId::AltPrefix, LangGerman), "Alt+");
}

} // namespace
