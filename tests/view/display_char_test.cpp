#include "view/display_char.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayChar, BlankOptionTurnsUnprintableValuesIntoSpaces) {
    struct Case {
        std::uint8_t b;
        char16_t noUnknown; // what the grid shows with the option on
        char16_t shown;     // and with it off
    };
    const Case cases[] = {
        {0, u' ', UnknownCharGlyph},
        {9, u' ', UnknownCharGlyph},
        {31, u' ', UnknownCharGlyph},
        {32, u' ', u' '},
        {'A', u'A', u'A'},
        {126, u'~', u'~'},
        {127, u' ', UnknownCharGlyph},
        {128, u' ', u'\u20AC'},
        {129, u' ', UnknownCharGlyph},
        {130, u'\u201A', u'\u201A'},
        {140, u'\u0152', u'\u0152'},
        {141, u' ', UnknownCharGlyph},
        {142, u' ', u'\u017D'},
        {144, u' ', UnknownCharGlyph},
        {145, u'\u2018', u'\u2018'},
        {156, u'\u0153', u'\u0153'},
        {157, u' ', UnknownCharGlyph},
        {158, u' ', u'\u017E'},
        {159, u'\u0178', u'\u0178'},
        {0xA0, u'\u00A0', u'\u00A0'},
        {0xE4, u'\u00E4', u'\u00E4'},
        {255, u'\u00FF', u'\u00FF'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayChar(c.b, false, true), c.noUnknown) << int(c.b);
        EXPECT_EQ(DisplayChar(c.b, false, false), c.shown) << int(c.b);
    }
}

TEST(DisplayChar, ZeroAsBlankOnlyAffectsZero) {
    for (bool noUnknown : {false, true}) {
        EXPECT_EQ(DisplayChar(0, true, noUnknown), u' ');
        EXPECT_EQ(DisplayChar(1, true, noUnknown), DisplayChar(1, false, noUnknown));
        EXPECT_EQ(DisplayChar('0', true, noUnknown), u'0');
    }
}

TEST(DisplayChar, EveryValueGivesOneVisibleCharacter) {
    // Without the option nothing may vanish: only the space and the no-break space are blank.
    for (int b = 0; b < 256; ++b) {
        const char16_t c = DisplayChar(static_cast<std::uint8_t>(b), false, false);
        EXPECT_NE(c, u'\uFFFD') << b;
        if (b != 32 && b != 0xA0) {
            EXPECT_FALSE(c == u' ' || c == u'\u00A0') << b;
        }
    }
}

} // namespace
