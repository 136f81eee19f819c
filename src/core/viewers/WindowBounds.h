// Where a tool window keeps its position and size in KBX.INI: four integer
// keys of one section, read and written in the order width, left, top,
// height; a missing key reads as 0.
#pragma once

#include "core/base/TProfileFile.h"

namespace quarno {

struct TWindowBoundsKeys {
    const char* section;
    const char* width;
    const char* left;
    const char* top;
    const char* height;
};

inline constexpr TWindowBoundsKeys kHexListBoundsKeys{"CODE", "HEX_WIDTH", "HEX_LEFT", "HEX_TOP",
                                                      "HEX_HEIGHT"};
inline constexpr TWindowBoundsKeys kDataListBoundsKeys{"EEPROM", "DATA_WIDTH", "DATA_LEFT",
                                                       "DATA_TOP", "DATA_HEIGHT"};
inline constexpr TWindowBoundsKeys kAsmListBoundsKeys{"EDITOR", "ASM_WIDTH", "ASM_LEFT", "ASM_TOP",
                                                      "ASM_HEIGHT"};

struct TWindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TWindowBounds&) const = default;
};

TWindowBounds ReadWindowBounds(const TProfileFile& config, const TWindowBoundsKeys& keys);
void WriteWindowBounds(TProfileFile& config, const TWindowBoundsKeys& keys,
                       const TWindowBounds& bounds);

} // namespace quarno
