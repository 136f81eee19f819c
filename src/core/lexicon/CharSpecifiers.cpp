// Escapes and character specifiers of parser scripts.
#include "core/lexicon/CharSpecifiers.h"

#include "core/base/Exceptions.h"

namespace quarno {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One character of a specifier: plain, or a backslash escape.
uint8_t ReadSpecChar(std::string_view raw, size_t& pos) {
    if (raw[pos] == '\\' && pos + 1 < raw.size()) {
        ++pos;
        return ReadEscape(raw, pos, true);
    }
    return static_cast<uint8_t>(raw[pos++]);
}

} // namespace

uint8_t ReadEscape(std::string_view raw, size_t& pos, bool hexU) {
    char c = raw[pos];
    if (c >= '0' && c <= '7') {
        unsigned value = 0;
        for (int digits = 0; digits < 3 && pos < raw.size() && raw[pos] >= '0' && raw[pos] <= '7' &&
                             value * 8 + (raw[pos] - '0') <= 255;
             ++digits)
            value = value * 8 + static_cast<unsigned>(raw[pos++] - '0');
        return static_cast<uint8_t>(value);
    }
    ++pos;
    switch (c) {
    case 'b':
    case 'B': return 8;
    case 'e':
    case 'E': return 27;
    case 'n':
    case 'N': return 13;
    case 'r':
    case 'R': return 10;
    case 's':
    case 'S': return ' ';
    case 't':
    case 'T': return 9;
    default: break;
    }
    bool hex = c == 'x' || c == 'X' || (hexU && (c == 'u' || c == 'U'));
    if (hex && pos < raw.size() && HexDigit(raw[pos]) >= 0) {
        unsigned value = 0;
        for (int digits = 0; digits < 2 && pos < raw.size() && HexDigit(raw[pos]) >= 0; ++digits)
            value = value * 16 + static_cast<unsigned>(HexDigit(raw[pos++]));
        return static_cast<uint8_t>(value);
    }
    return static_cast<uint8_t>(c);
}

std::string UnescapeScriptString(std::string_view raw) {
    std::string value;
    value.reserve(raw.size());
    for (size_t pos = 0; pos < raw.size();) {
        if (raw[pos] == '\\' && pos + 1 < raw.size()) {
            ++pos;
            value += static_cast<char>(ReadEscape(raw, pos, false));
        } else {
            value += raw[pos++];
        }
    }
    return value;
}

std::vector<TLP_CharGroup> ParseCharSpecifiers(std::string_view raw) {
    std::vector<TLP_CharGroup> groups;
    size_t pos = 0;
    while (pos < raw.size()) {
        TLP_CharGroup group;
        if (raw[pos] != '[') {
            group.set.Include(ReadSpecChar(raw, pos));
            groups.push_back(group);
            continue;
        }
        ++pos;
        if (pos < raw.size() && raw[pos] == '^') {
            group.negate = true;
            ++pos;
        }
        for (;;) {
            if (pos >= raw.size()) throw ELexipad("Character range error");
            if (raw[pos] == ']') {
                ++pos;
                break;
            }
            uint8_t lo = ReadSpecChar(raw, pos);
            if (pos + 1 < raw.size() && raw[pos] == '-' && raw[pos + 1] != ']') {
                ++pos;
                uint8_t hi = ReadSpecChar(raw, pos);
                if (hi < lo) throw ELexipad("Characters not in correct order for range specifier");
                group.set.IncludeRange(lo, hi);
            } else {
                group.set.Include(lo);
            }
        }
        groups.push_back(group);
    }
    return groups;
}

} // namespace quarno
