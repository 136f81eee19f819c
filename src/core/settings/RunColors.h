// The colours and font style a run of text is painted in: the precedence of
// monochrome printing, breakpoint lines, the selection, highlighting switched
// off, the line's own colours and the token's style. Colours stay in the
// settings' form (0x00BBGGRR or a system colour).
#pragma once

#include <cstdint>

namespace quarno {

class TLP_Settings;

// What the line adds to the style of a run.
struct TLineLook {
    bool monoPrint = false;  // printing in black and white
    bool breakpoint = false; // a breakpoint or the code break is on the line
    int32_t breakText = 0;
    int32_t breakBack = 0;
    int32_t lineText = -1; // the record's own colours (-1: none)
    int32_t lineBack = -1;
};

struct TRunLook {
    int32_t text = 0;
    int32_t back = 0;
    uint8_t fontStyle = 0; // TFontStyleBits
    bool operator==(const TRunLook&) const = default;
};

// The look of characters carrying a token.
TRunLook RunLook(const TLP_Settings& settings, uint8_t token, bool selected, const TLineLook& line);
// A style's own colours, its default flags resolved through style 0 and the
// system window colours.
TRunLook StyleLook(const TLP_Settings& settings, uint8_t style);

} // namespace quarno
