// Small string helpers shared by the core: printf-style formatting of the
// system's message templates and ASCII case-insensitive comparison.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quarno {

namespace detail {
template <typename T> auto FormatArg(const T& value) {
    if constexpr (std::is_same_v<T, std::string>)
        return value.c_str();
    else
        return value;
}
} // namespace detail

// Formats a message template such as "File '%s' cannot be opened"; std::string
// arguments may be passed directly for %s.
template <typename... Args> std::string Format(const char* pattern, const Args&... args) {
    int size = std::snprintf(nullptr, 0, pattern, detail::FormatArg(args)...);
    if (size <= 0) return std::string();
    std::string result(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(result.data(), result.size(), pattern, detail::FormatArg(args)...);
    result.resize(static_cast<size_t>(size));
    return result;
}

char ToUpperAscii(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
std::string_view Trim(std::string_view text);

// Splits a file's bytes into lines the way a string list loads a text file:
// CR LF, LF and a lone CR each end a line; a final line without a break counts.
std::vector<std::string> SplitLines(std::string_view bytes);

// Parses a whole decimal integer with an optional sign and surrounding blanks.
bool TryParseInt(std::string_view text, int& value);

} // namespace quarno
