// The colour button's drop-down palette without pixels.
#include "core/options/ColorPalette.h"

#include <algorithm>

namespace quarno {

const std::array<int32_t, 20>& StandardColors() {
    static const std::array<int32_t, 20> colors{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
        0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
        0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    return colors;
}

TScreenRect PalettePlacement(const TScreenRect& button, int width, int height,
                             const TScreenRect& workArea) {
    TScreenRect place{button.left, button.Bottom(), width, height};
    if (place.Bottom() > workArea.Bottom()) place.top = button.top - height;
    place.left = std::max(std::min(place.left, workArea.Right() - width), workArea.left);
    return place;
}

} // namespace quarno
