// Settings colours as red-green-blue values.
#include "core/settings/SystemColors.h"

#include <array>

namespace quarno {

namespace {

// The classic values of the system colour indexes 0..30, as 0xRRGGBB.
constexpr std::array<uint32_t, 31> kSystemColors = {
    0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0,
    0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x0000FF, 0x1084D0, 0xB5B5B5, 0x000080, 0xF0F0F0};

} // namespace

uint32_t ColorToRgb(int32_t color) {
    uint32_t value = static_cast<uint32_t>(color);
    if ((value & 0xFF000000) == 0x80000000) {
        uint32_t index = value & 0xFF;
        return index < kSystemColors.size() ? kSystemColors[index] : 0;
    }
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

} // namespace quarno
