// Colours as the settings store them (0x00BBGGRR, or 0x80000000 plus a system
// colour index) turned into plain red-green-blue values, with the classic
// system colours for the indexes.
#pragma once

#include <cstdint>

namespace quarno {

// 0xRRGGBB.
uint32_t ColorToRgb(int32_t color);
inline int RedOf(uint32_t rgb) {
    return static_cast<int>((rgb >> 16) & 0xFF);
}
inline int GreenOf(uint32_t rgb) {
    return static_cast<int>((rgb >> 8) & 0xFF);
}
inline int BlueOf(uint32_t rgb) {
    return static_cast<int>(rgb & 0xFF);
}

} // namespace quarno
