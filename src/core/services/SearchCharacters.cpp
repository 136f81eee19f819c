// Character tables shared by the search engines.
#include "core/services/SearchCharacters.h"

namespace quarno {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Lower-case letters of Windows-1252 and their upper-case partners.
TCharMap BuildUpper() {
    TCharMap map{};
    for (int c = 0; c < 256; ++c)
        map[static_cast<size_t>(c)] = static_cast<uint8_t>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        map[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 'a' + 'A');
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) // the division sign has no case
            map[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 0x20);
    map[0x9A] = 0x8A; // s caron
    map[0x9C] = 0x8C; // oe ligature
    map[0x9E] = 0x8E; // z caron
    map[0xFF] = 0x9F; // y diaeresis
    return map;
}

TCharMap BuildLower(const TCharMap& upper) {
    TCharMap map{};
    for (int c = 0; c < 256; ++c)
        map[static_cast<size_t>(c)] = static_cast<uint8_t>(c);
    for (int c = 0; c < 256; ++c)
        if (upper[static_cast<size_t>(c)] != c)
            map[upper[static_cast<size_t>(c)]] = static_cast<uint8_t>(c);
    return map;
}

} // namespace

bool DefaultCharStartsWord(char c) {
    return IsAsciiLetter(c) || c == '_';
}

bool DefaultCharIsInWord(char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '\'' || c == '-';
}

const TCharMap& IdentityMap() {
    static const TCharMap map = [] {
        TCharMap m{};
        for (int c = 0; c < 256; ++c)
            m[static_cast<size_t>(c)] = static_cast<uint8_t>(c);
        return m;
    }();
    return map;
}

const TCharMap& UpperCaseMap() {
    static const TCharMap map = BuildUpper();
    return map;
}

const TCharMap& LowerCaseMap() {
    static const TCharMap map = BuildLower(UpperCaseMap());
    return map;
}

} // namespace quarno
