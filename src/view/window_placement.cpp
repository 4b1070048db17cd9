#include "view/window_placement.h"

#include <algorithm>

TWindowRect PlaceMainWindow(const TPlacementInput& in) {
    TWindowRect r = in.UseStored ? in.Stored : in.Platform;
    const TWindowRect& screen = in.Screen;
    const auto size = [](std::int64_t stored, std::int64_t platform, std::int64_t room) {
        const std::int64_t v = stored > 0 ? stored : platform;
        return std::clamp<std::int64_t>(v, 1, std::max<std::int64_t>(room, 1));
    };
    r.Width = size(r.Width, in.Platform.Width, screen.Width);
    r.Height = size(r.Height, in.Platform.Height, screen.Height);
    if (in.SecondCopy) {
        r.Top += 8 * in.R + 8;
        r.Left += 8 * in.S + 8;
    }
    const std::int64_t right = screen.Left + screen.Width;
    const std::int64_t bottom = screen.Top + screen.Height;
    if (right < r.Left + r.Width) {
        r.Left = right - r.Width;
    }
    if (bottom < r.Top + r.Height) {
        r.Top = bottom - r.Height;
    }
    r.Left = std::max(r.Left, screen.Left);
    r.Top = std::max(r.Top, screen.Top);
    return r;
}
