// The text of the ASCII table window.
#include "core/viewers/AsciiTableText.h"

#include "core/base/StringUtils.h"

namespace quarno {

static const char* const kControlNames[33] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",  "SP"};

// The character shown for a code: control characters would upset the text
// box, so they show as 0x7F; 142 to 144 show as 0x8D.
static char ShownCharacter(int code) {
    if (code < 32) return '\x7F';
    if (code >= 142 && code <= 144) return '\x8D';
    return static_cast<char>(code);
}

std::string AsciiTableLine(int code) {
    if (code < 0 || code > 255) return std::string();
    std::string line(1, ShownCharacter(code));
    line += std::string(7, ' ');
    line += Format("%-8s", Format("%02d", code));
    line += Format("%02X", code);
    if (code <= 32) line += std::string(6, ' ') + kControlNames[code];
    return line;
}

std::vector<std::string> AsciiTableLines() {
    std::vector<std::string> lines;
    lines.reserve(263);
    for (int code = 0; code < 256; ++code)
        lines.push_back(AsciiTableLine(code));
    lines.emplace_back();
    for (int i = 0; i < 6; ++i)
        lines.emplace_back(" ");
    return lines;
}

} // namespace quarno
