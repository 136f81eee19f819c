// The text of the ASCII table window: one line per character code with its
// decimal and hexadecimal values and, for codes 0 to 32, the control name.
#pragma once

#include <string>
#include <vector>

namespace quarno {

// The header strip above the table.
inline constexpr const char* kAsciiTableHeader = "chr     dec#    hex#    ctrl";

// The line of one code (0 to 255), in Windows-1252 bytes.
std::string AsciiTableLine(int code);
// The 263 lines: codes 0 to 255, one empty line, six lines of one blank.
std::vector<std::string> AsciiTableLines();

} // namespace quarno
