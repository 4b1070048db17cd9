#include "view/window_placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

// Found by GoogleTest next to the type.
void PrintTo(const TWindowRect& r, std::ostream* os) {
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Width << " x " << r.Height << ")";
}

namespace {

constexpr std::int64_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t Min32 = std::numeric_limits<std::int32_t>::min();
const TWindowRect Screen{0, 0, 1280, 1024};
const TWindowRect Platform{0, 0, 540, 450};

TEST(WindowPlacement, StoredSecondCopyAndScreenEdges) {
    struct Case {
        const char* name;
        bool useStored;
        TWindowRect stored;
        bool second;
        TWindowRect expected;
    };
    const Case cases[] = {
        {"stored place", true, {100, 120, 500, 400}, false, {100, 120, 500, 400}},
        {"another dialog font: the platform's", false, {100, 120, 500, 400}, false, Platform},
        {"second copy: 8 * (r + 1) down, 8 * (s + 1) right",
         true,
         {100, 120, 500, 400},
         true,
         {100 + 8 * 3 + 8, 120 + 8 * 1 + 8, 500, 400}},
        {"second copy pulled back inside the edges",
         true,
         {780, 624, 500, 400},
         true,
         {780, 624, 500, 400}},
        {"past the right and bottom edges",
         true,
         {100000, 100000, 500, 400},
         false,
         {780, 624, 500, 400}},
        {"width 0 takes the platform's", true, {10, 10, 0, 400}, false, {10, 10, 540, 400}},
        {"negative sizes", true, {10, 10, -5, -1}, false, {10, 10, 540, 450}},
        {"larger than the screen", true, {0, 0, 99999, 99999}, false, {0, 0, 1280, 1024}},
        {"off the left and top edges", true, {-3000, -20, 500, 400}, false, {0, 0, 500, 400}},
        {"32-bit limits", true, {Max32, Max32, Max32, Max32}, true, {0, 0, 1280, 1024}},
        {"32-bit minimum", true, {Min32, Min32, Min32, Min32}, true, {0, 0, 540, 450}},
        {"near the limit, small",
         true,
         {Max32 - 10, Max32 - 10, 500, 400},
         true,
         {780, 624, 500, 400}},
    };
    for (const Case& c : cases) {
        TPlacementInput in;
        in.Platform = Platform;
        in.UseStored = c.useStored;
        in.Stored = c.stored;
        in.SecondCopy = c.second;
        in.R = 1;
        in.S = 3;
        in.Screen = Screen;
        EXPECT_EQ(PlaceMainWindow(in), c.expected) << c.name;
    }
}

TEST(WindowPlacement, AScreenThatDoesNotStartAtTheOrigin) {
    TPlacementInput in;
    in.Platform = Platform;
    in.UseStored = true;
    in.Stored = {0, 0, 500, 400};
    in.Screen = {1920, 100, 1024, 768};
    EXPECT_EQ(PlaceMainWindow(in), (TWindowRect{1920, 100, 500, 400}));
    in.Stored = {5000, 5000, 500, 400};
    EXPECT_EQ(PlaceMainWindow(in), (TWindowRect{1920 + 1024 - 500, 100 + 768 - 400, 500, 400}));
}

} // namespace
