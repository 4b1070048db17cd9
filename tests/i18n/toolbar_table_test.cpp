#include "i18n/menu_table.h"
#include "i18n/toolbar_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ToolBarTable, ButtonsStandInTheirOrderWithTheirData) {
    const auto buttons = SpeedButtonEntries();
    ASSERT_EQ(buttons.size(), 15u);
    const struct {
        size_t Index;
        const char* Name;
        int Width;
        int Height;
        int NumGlyphs;
        double K;
        const char* Handler;
    } cases[] = {
        {0, "OpenSB", 32, 24, 2, 1, "DoOpenFromFile"},
        {2, "SaveAsSB", 32, 24, 2, 3, "DoSaveAs"},
        {4, "InfoSB", 32, 24, 1, 5.5, "FileInfoStatistikMainMenuItemClick"},
        {6, "FindPreviousSB", 32, 24, 1, 8, "FindPreviousMainMenuItemClick"},
        {10, "CalcSB", 25, 25, 1, 12.5, "CalcSBClick"},
        {12, "HexSpeedButton", 25, 25, 1, 14.9, "HexClick"},
        {14, "DezSpeedButton", 25, 25, 1, 16.1, "DecClick"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TSpeedButtonEntry& b = buttons[c.Index];
        EXPECT_STREQ(b.Name, c.Name);
        EXPECT_EQ(b.Width, c.Width);
        EXPECT_EQ(b.Height, c.Height);
        EXPECT_EQ(b.NumGlyphs, c.NumGlyphs);
        EXPECT_DOUBLE_EQ(b.K, c.K);
        EXPECT_STREQ(b.Handler, c.Handler);
        EXPECT_EQ(FindSpeedButton(c.Name), &b);
    }
    EXPECT_EQ(FindSpeedButton("NoSuchSB"), nullptr);
}

TEST(ToolBarTable, ButtonsCallMenuCommandsOrTheirOwn) {
    std::set<std::string> menuHandlers;
    for (const TMenuEntry& entry : MenuEntries()) {
        menuHandlers.insert(entry.Handler);
    }
    std::set<std::string> names;
    double lastK = 0;
    for (const TSpeedButtonEntry& b : SpeedButtonEntries()) {
        EXPECT_TRUE(names.insert(b.Name).second) << b.Name;
        EXPECT_FALSE(FindMenuEntry(b.Name)) << b.Name << " clashes with a menu item";
        const std::string handler = b.Handler;
        EXPECT_TRUE(menuHandlers.contains(handler) || handler == "CalcSBClick" ||
                    handler == "TabSBClick")
            << b.Name << " calls " << handler;
        EXPECT_GE(b.K, lastK) << b.Name;
        lastK = b.K;
    }
    // The two decimal buttons share one spot and one command.
    const TSpeedButtonEntry* dec = FindSpeedButton("DecSpeedButton");
    const TSpeedButtonEntry* dez = FindSpeedButton("DezSpeedButton");
    EXPECT_STREQ(dec->Handler, dez->Handler);
    EXPECT_EQ(dec->K, dez->K);
    EXPECT_STREQ(dec->Face, "Dec");
    EXPECT_STREQ(dez->Face, "Dez");
}

TEST(SpeedButtonPlace, RoundsHalvesToEvenAndCentresVertically) {
    const struct {
        int PanelWidth;
        int PanelHeight;
        int W;
        int H;
        double K;
        int Left;
        int Top;
    } cases[] = {
        // Exact halves go to the even neighbour, also below zero.
        {51, 37, 32, 24, 4.5, -2, 7},  // -2.5
        {17, 37, 32, 24, 4.5, -12, 7}, // -11.5
        {85, 37, 32, 24, 4.5, 6, 7},   // 6.5
        {119, 37, 32, 24, 4.5, 16, 7}, // 15.5
        {34, 37, 25, 25, 12.5, 12, 7}, // 12.5
        {68, 37, 25, 25, 12.5, 38, 7}, // 37.5
        {34, 37, 25, 25, 13.5, 14, 7}, // 14.5
        // Other fractions go to the nearest.
        {540, 37, 32, 24, 1, 16, 7},     // 15.76
        {540, 37, 32, 24, 5.5, 159, 7},  // 158.71
        {540, 37, 25, 25, 14.9, 461, 7}, // 460.79
        {540, 37, 25, 25, 16.1, 499, 7}, // 498.91
        // The vertical half divides toward zero, also for a button taller than the panel.
        {540, 36, 32, 24, 1, 16, 7},
        {540, 20, 25, 25, 1, 19, -1}, // (-5) div 2 = -2
        {540, 24, 25, 25, 1, 19, 1},  // (-1) div 2 = 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.PanelWidth) + "x" + std::to_string(c.PanelHeight) +
                     " k=" + std::to_string(c.K));
        const TButtonPlace place = SpeedButtonPlace(c.PanelWidth, c.PanelHeight, c.W, c.H, c.K);
        EXPECT_EQ(place.Left, c.Left);
        EXPECT_EQ(place.Top, c.Top);
    }
    const TButtonPlace hex = SpeedButtonPlace(540, 37, *FindSpeedButton("HexSpeedButton"));
    EXPECT_EQ(hex.Left, 461);
    EXPECT_EQ(hex.Top, 7);
}

} // namespace
