#include "i18n/toolbar_table.h"

#include <cmath>

namespace {

constexpr TSpeedButtonEntry Buttons[] = {
    {"OpenSB", 32, 24, 2, 1, "DoOpenFromFile", ""},
    {"SaveSB", 32, 24, 2, 2, "DoSave", ""},
    {"SaveAsSB", 32, 24, 2, 3, "DoSaveAs", ""},
    {"PrintSB", 32, 24, 1, 4.5, "DoPrint", ""},
    {"InfoSB", 32, 24, 1, 5.5, "FileInfoStatistikMainMenuItemClick", ""},
    {"FindSB", 32, 24, 1, 7, "FindMainMenuItemClick", ""},
    {"FindPreviousSB", 32, 24, 1, 8, "FindPreviousMainMenuItemClick", ""},
    {"FindNextSB", 32, 24, 1, 9, "FindNextMainMenuItemClick", ""},
    {"ReplaceSB", 32, 24, 1, 10, "ReplaceMainMenuItemClick", ""},
    {"FindAndMarkSB", 32, 24, 1, 11, "FindAndMarkMainMenuItemClick", ""},
    {"CalcSB", 25, 25, 1, 12.5, "CalcSBClick", ""},
    {"TabSB", 25, 25, 1, 13.5, "TabSBClick", ""},
    {"HexSpeedButton", 25, 25, 1, 14.9, "HexClick", "Hex"},
    {"DecSpeedButton", 25, 25, 1, 16.1, "DecClick", "Dec"},
    {"DezSpeedButton", 25, 25, 1, 16.1, "DecClick", "Dez"},
};

// Round to nearest, halves to the even neighbour, whatever the floating-point mode is.
int RoundHalfEven(double x) {
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5) {
        return int(lower) + 1;
    }
    if (fraction < 0.5) {
        return int(lower);
    }
    return std::fmod(lower, 2.0) == 0.0 ? int(lower) : int(lower) + 1;
}

} // namespace

std::span<const TSpeedButtonEntry> SpeedButtonEntries() {
    return Buttons;
}

const TSpeedButtonEntry* FindSpeedButton(std::string_view name) {
    for (const TSpeedButtonEntry& button : Buttons) {
        if (name == button.Name) {
            return &button;
        }
    }
    return nullptr;
}

TButtonPlace SpeedButtonPlace(int panelWidth, int panelHeight, int w, int h, double k) {
    const double left = panelWidth * k / 17 - w * 0.5;
    // Integer division truncates toward zero, also when the button is taller than the panel.
    return {RoundHalfEven(left), (panelHeight - h) / 2 + 1};
}

TButtonPlace SpeedButtonPlace(int panelWidth, int panelHeight, const TSpeedButtonEntry& button) {
    return SpeedButtonPlace(panelWidth, panelHeight, button.Width, button.Height, button.K);
}
