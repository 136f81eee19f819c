// The colour button's drop-down palette without pixels: its 20 standard
// colours and where the palette window goes next to its button.
#pragma once

#include <array>
#include <cstdint>

namespace quarno {

// The display's 20 standard colours (0x00BBGGRR): the 16 basic colours and
// the four the system reserves (money green, sky blue, cream, medium grey).
const std::array<int32_t, 20>& StandardColors();

struct TScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const TScreenRect&) const = default;
};

// The palette's place: directly below the button, or above it when it would
// reach past the bottom of the work area; moved left to stay inside the work
// area (and never left of it).
TScreenRect PalettePlacement(const TScreenRect& button, int width, int height,
                             const TScreenRect& workArea);

} // namespace quarno
