#pragma once

#include <span>
#include <string_view>

// The speed buttons of the tool bar as data, in their order on the panel.
struct TSpeedButtonEntry {
    const char* Name;
    int Width;
    int Height;
    int NumGlyphs; // a button with two images shows the second one while disabled
    double K;      // position in seventeenths of the panel width
    const char* Handler;
    const char* Face; // the text the mode buttons show; empty for the buttons with a picture
};

std::span<const TSpeedButtonEntry> SpeedButtonEntries();

// nullptr when there is no button of that name.
const TSpeedButtonEntry* FindSpeedButton(std::string_view name);

struct TButtonPlace {
    int Left;
    int Top;
};

// Where SpeedPanelResize puts a button of width w and height h at factor k on a panel of
// width panelWidth and height panelHeight: the centre at panelWidth * k / 17, rounded to the
// nearest pixel with halves to even, and vertically centred one pixel low.
TButtonPlace SpeedButtonPlace(int panelWidth, int panelHeight, int w, int h, double k);
TButtonPlace SpeedButtonPlace(int panelWidth, int panelHeight, const TSpeedButtonEntry& button);
