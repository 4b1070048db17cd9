#include "core/status_text.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusText, PositionAndDistance) {
    EXPECT_EQ(CursorPositionText(0), "Pos: 0 $0");
    EXPECT_EQ(CursorPositionText(255), "Pos: 255 $FF");
    EXPECT_EQ(CursorPositionText(2147418111), "Pos: 2147418111 $7FFEFFFF");
    EXPECT_EQ(DistanceText(-10), "Dist: -10 -$A");
    EXPECT_EQ(DistanceText(10), "Dist: 10 $A");
    EXPECT_EQ(DistanceText(0), "Dist: 0 $0");
}

TEST(StatusText, ValueLine) {
    struct Case {
        std::uint8_t v;
        const char* ch;
        const char* text;
    };
    const Case cases[] = {
        {65, "A", "Val: 65 $41 01000001 \"A\""},
        {0, "", "Val: 0 $00 00000000"},
        {145, "\u2018", "Val: 145 $91 10010001 \"\u2018\""},
        {144, "", "Val: 144 $90 10010000"},
        {160, "", "Val: 160 $A0 10100000"},
        {255, "\u00FF", "Val: 255 $FF 11111111 \"\u00FF\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CursorValueText("Val:", c.v, c.ch), c.text);
    }
    EXPECT_EQ(CursorValueText("Wert:", 32, " "), "Wert: 32 $20 00100000 \" \"");
}

} // namespace
