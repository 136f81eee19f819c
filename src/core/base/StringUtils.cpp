// Small string helpers shared by the core.
#include "core/base/StringUtils.h"

#include <charconv>

namespace quarno {

char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

static char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = ToUpperAscii(c);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = ToLowerAscii(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
    return true;
}

std::string_view Trim(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        ++i;
        if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
        start = i;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

bool TryParseInt(std::string_view text, int& value) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace quarno
