// One entry of a language's style table: how characters of the tokens mapped
// to it are painted.
#pragma once

#include <cstdint>

namespace quarno {

class TStream;

// Colours are 0x00BBGGRR values; a top byte of 0x80 names a system colour.
namespace colors {
constexpr int32_t Black = 0x000000;
constexpr int32_t White = 0xFFFFFF;
constexpr int32_t WindowText = static_cast<int32_t>(0x80000008);
constexpr int32_t Highlight = static_cast<int32_t>(0x8000000D);
constexpr int32_t HighlightText = static_cast<int32_t>(0x8000000E);
constexpr int32_t BtnFace = static_cast<int32_t>(0x8000000F);
} // namespace colors

// Font style bits.
enum TFontStyleBits : uint8_t { kFsBold = 1, kFsItalic = 2, kFsUnderline = 4, kFsStrikeOut = 8 };

struct TLP_Style {
    uint8_t fontStyle = 0; // TFontStyleBits
    int32_t textColor = colors::Black;
    int32_t backColor = colors::White;
    uint8_t textDefault = 0; // 1: paint with the default text colour instead
    uint8_t backDefault = 0; // 1: paint with the default background instead
    uint8_t hotSpot = 0;     // 1: the mouse over it shows the hyperlink cursor
    int32_t defined = 0;     // not 0 for a style in use
    bool operator==(const TLP_Style&) const = default;

    // Stream form: uint8 font style; int32 text colour; int32 background;
    // uint8 text flag; uint8 background flag; uint8 hot spot; int32 defined.
    void WriteTo(TStream& stream) const;
    static TLP_Style ReadFrom(TStream& stream);
};

} // namespace quarno
