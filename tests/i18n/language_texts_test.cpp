#include "i18n/captions.h"
#include "i18n/language.h"
#include "i18n/language_texts.h"
#include "qstring_print.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace {

constexpr int LangFrench = 12;

// What the window would show after applying a language: one text per component and kind.
using TTextState = std::map<std::pair<std::string, TLanguageTextKind>, QString>;

void Apply(TTextState& state, int language) {
    ForEachLanguageText(language, [&](const TLanguageText& text) {
        state[{text.Component, text.Kind}] = text.Text;
    });
}

TTextState StateAfter(std::initializer_list<int> languages) {
    TTextState state;
    for (int language : languages) {
        Apply(state, language);
    }
    return state;
}

TEST(CaptionTable, EveryEntryHasBothLanguages) {
    for (const TCaptionEntry& entry : CaptionEntries()) {
        SCOPED_TRACE(entry.Component);
        ASSERT_NE(entry.German, nullptr);
        ASSERT_NE(entry.English, nullptr);
        EXPECT_NE(std::string(entry.German), "");
        EXPECT_NE(std::string(entry.English), "");
        EXPECT_EQ(FindCaption(entry.Component), &entry) << "component listed twice";
    }
}

TEST(LanguageTexts, SwitchingAndSwitchingBackRestoresEveryText) {
    const TTextState english = StateAfter({LangEnglish});
    const TTextState german = StateAfter({LangEnglish, LangGerman});
    EXPECT_EQ(StateAfter({LangEnglish, LangGerman, LangEnglish}), english);
    EXPECT_EQ(StateAfter({LangGerman, LangEnglish}), english);
    EXPECT_EQ(StateAfter({LangEnglish, LangGerman, LangEnglish, LangGerman}), german);
    EXPECT_EQ(StateAfter({LangFrench}), english);
    // Every text is set in both languages, so no text depends on what was shown before.
    EXPECT_EQ(StateAfter({LangGerman}).size(), english.size());
    EXPECT_NE(german, english);
}

TEST(LanguageTexts, EveryTextIsNonEmpty) {
    for (int language : {LangEnglish, LangGerman}) {
        for (const auto& [key, text] : StateAfter({language})) {
            EXPECT_FALSE(text.isEmpty()) << key.first << " in " << language;
        }
    }
}

struct TTextCase {
    const char* Component;
    TLanguageTextKind Kind;
    const char16_t* German;
    const char16_t* English;
};

TEST(LanguageTexts, ShowsTheExpectedTextsPerLanguage) {
    using K = TLanguageTextKind;
    const TTextCase cases[] = {
        {"EditRedoMainMenuItem", K::ShortCut, u"Umsch+Strg+Z", u"Shift+Ctrl+Z"},
        {"DeleteBytesMainMenuItem", K::ShortCut, u"Umsch+Entf", u"Shift+Del"},
        {"AppendByteMainMenuItem", K::ShortCut, u"Strg+Einfg", u"Ctrl+Ins"},
        {"FindNextMainMenuItem", K::ShortCut, u"F3", u"F3"},
        {"UpAcc", K::ShortCut, u"Up", u"Up"},
        {"PageUpAcc", K::ShortCut, u"PgUp", u"PgUp"},
        {"ShiftAltBackAcc", K::ShortCut, u"Umsch+Alt+BkSp", u"Shift+Alt+BkSp"},
        {"ShiftTabAcc", K::ShortCut, u"Umsch+Tab", u"Shift+Tab"},
        {"MarkGotoPreviousPopUpMenuItem", K::ShortCut, u"Strg+Links", u"Ctrl+Left"},
        {"MarkCyanPopUpMenuItem", K::ShortCut, u"Strg+C", u"Ctrl+C"},
        // Non-ASCII captions arrive as the right characters.
        {"FileOpenMainMenuItem", K::Caption, u"&\u00D6ffnen...", u"&Open..."},
        {"OverwriteWarnMenuItem", K::Caption, u"Warnung vorm &\u00DCberschreiben von Dateien",
         u"&Show overwrite warning"},
        {"FindNextSB", K::Hint, u"N\u00E4chstes suchen", u"Find next"},
        {"MarksSaveDialog", K::DialogTitle, u"Markierungen speichern unter", u"Save marks as"},
        {"Info2", K::Caption, u"In&fo...", u"In&fo..."},
        {"ValuePrefix", K::ValuePrefix, u"Wert:", u"Val:"},
    };
    const TTextState german = StateAfter({LangGerman});
    const TTextState english = StateAfter({LangEnglish});
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Component);
        const auto key = std::make_pair(std::string(c.Component), c.Kind);
        ASSERT_TRUE(german.contains(key));
        EXPECT_EQ(german.at(key), QString::fromUtf16(c.German));
        EXPECT_EQ(english.at(key), QString::fromUtf16(c.English));
    }
}

TEST(LanguageTexts, OnlyTheDecimalButtonOfTheLanguageIsShown) {
    EXPECT_STREQ(VisibleDecimalButton(LangGerman), "DezSpeedButton");
    EXPECT_STREQ(HiddenDecimalButton(LangGerman), "DecSpeedButton");
    EXPECT_STREQ(VisibleDecimalButton(LangEnglish), "DecSpeedButton");
    EXPECT_STREQ(VisibleDecimalButton(LangFrench), "DecSpeedButton");
    EXPECT_STREQ(HiddenDecimalButton(LangFrench), "DezSpeedButton");
}

TEST(MarkColorNames, NameEveryCodeInBothLanguages) {
    const struct {
        int Code;
        const char16_t* German;
        const char16_t* English;
    } cases[] = {
        {1, u"Rot", u"Red"},
        {2, u"Gr\u00FCn", u"Green"},
        {3, u"Blau", u"Blue"},
        {4, u"Cyan", u"Cyan"},
        {5, u"Magenta", u"Magenta"},
        {6, u"Gelb", u"Yellow"},
        {0, u"unmarkiert", u"unmarked"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(QString::fromUtf8(MarkColorName(c.Code, LangGerman)),
                  QString::fromUtf16(c.German));
        EXPECT_EQ(QString::fromUtf8(MarkColorName(c.Code, LangEnglish)),
                  QString::fromUtf16(c.English));
    }
    EXPECT_EQ(MarkColorName(7, LangEnglish), nullptr);
    EXPECT_EQ(MarkColorName(-1, LangGerman), nullptr);
}

} // namespace
