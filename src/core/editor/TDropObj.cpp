// Dropped and pasted data by source type, and the HTML fragment extraction.
#include "core/editor/TDropObj.h"

#include <utility>

namespace quarno {

namespace {
constexpr std::string_view kStartMarker = "<!--StartFragment-->";
constexpr std::string_view kEndMarker = "<!--EndFragment-->";
} // namespace

std::vector<std::string>& TDropObj::List(TSourceType type) {
    return const_cast<std::vector<std::string>&>(std::as_const(*this).List(type));
}

const std::vector<std::string>& TDropObj::List(TSourceType type) const {
    switch (type) {
    case stUnicodeText: return unicodeText;
    case stText: return text;
    case stHtml: return html;
    default: return files;
    }
}

TSourceTypes TDropObj::Available() const {
    TSourceTypes types = 0;
    for (TSourceType type : {stFiles, stUnicodeText, stText, stHtml})
        if (!List(type).empty()) types |= type;
    return types;
}

std::string TDropObj::Joined(TSourceType type) const {
    std::string joined;
    for (const std::string& item : List(type)) {
        joined += item;
        if (type == stFiles) joined += "\r\n";
    }
    return joined;
}

std::string ExtractHtmlFragment(std::string_view html, TSourceTypes types) {
    if (!(types & (stHtmlFromTag | stHtmlFragment))) return std::string(html);
    // Text without any tag is taken whole rather than lost.
    if (size_t tag = html.find('<'); tag != std::string_view::npos) html = html.substr(tag);
    if (types & stHtmlFragment) {
        size_t start = html.find(kStartMarker);
        size_t end = html.find(kEndMarker);
        if (start != std::string_view::npos && end != std::string_view::npos &&
            end >= start + kStartMarker.size()) {
            start += kStartMarker.size();
            html = html.substr(start, end - start);
        }
    }
    return std::string(html);
}

} // namespace quarno
