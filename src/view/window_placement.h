#pragma once

#include <cstdint>

// A window rectangle in 64 bits: stored placements may hold any 32-bit values, and sums of
// them must neither wrap nor overflow.
struct TWindowRect {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    friend bool operator==(const TWindowRect&, const TWindowRect&) = default;
};

struct TPlacementInput {
    // Where and how large the platform makes a new window.
    TWindowRect Platform;
    // The stored placement applies (it was stored under the same dialog font).
    bool UseStored = false;
    TWindowRect Stored;
    // Another copy's main window exists: this one moves aside by 8 * (r + 1) down and
    // 8 * (s + 1) right, with r and s random in 0 .. 4.
    bool SecondCopy = false;
    int R = 0;
    int S = 0;
    // The screen the window must end up on.
    TWindowRect Screen;
};

// The main window's place at start: the stored one (or the platform's), moved aside for a
// second copy and pulled back from the right and bottom screen edges. Whatever the settings
// held, the result is a window of positive size that lies on the screen: a size of 0 or less
// takes the platform's, a size beyond the screen is cut to it, and a window off the left or top
// edge is brought back too.
TWindowRect PlaceMainWindow(const TPlacementInput& in);
