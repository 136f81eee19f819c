// Data pasted into or dropped onto an editing control: one list of strings
// per source type, the source-type flags that say what the data is and how to
// take it, and the extraction of the fragment from HTML data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

// Source-type flags (handed by reference to OnDataDrop, which may change them).
enum TSourceType : uint16_t {
    stFiles = 1,
    stUnicodeText = 2,
    stText = 4, // 8-bit text
    stHtml = 256,
    stClipboard = 512,     // the data comes from the clipboard (a paste)
    stInsertAsText = 1024, // insert the data as text
    stDrop = 2048,         // the data comes from a drop
    stHtmlFragment = 8192, // cut HTML to its first "<", then to the marked fragment
    stHtmlFromTag = 16384, // cut HTML to its first "<"
};
using TSourceTypes = uint16_t;

class TDropObj {
public:
    std::vector<std::string> files;
    std::vector<std::string> unicodeText; // already converted to 8-bit text
    std::vector<std::string> text;
    std::vector<std::string> html;

    // The list of one of the four data types (files for any other flag).
    std::vector<std::string>& List(TSourceType type);
    const std::vector<std::string>& List(TSourceType type) const;
    // The data types that hold at least one string, as source-type flags.
    TSourceTypes Available() const;
    // The strings of a list as one text; files one name a line, each line
    // ended by CR LF.
    std::string Joined(TSourceType type) const;
};

// The HTML fragment extraction: with stHtmlFromTag or stHtmlFragment the text
// starts at its first "<" (when it has one); with stHtmlFragment, when both markers are present,
// only the part between "<!--StartFragment-->" and "<!--EndFragment-->"
// stays. Any other flags leave the text as it is.
std::string ExtractHtmlFragment(std::string_view html, TSourceTypes types);

} // namespace quarno
