// Character tables shared by the search engines: Windows-1252 case folding
// and the default word-character tests of the editing control.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace quarno {

// A test of one character (whole-word search asks whether a neighbour of a
// match is a word character).
using TWordCharTest = std::function<bool(char)>;

// Default tests: a word starts with A-Z, a-z or "_" and continues with those,
// digits, "'" and "-".
bool DefaultCharStartsWord(char c);
bool DefaultCharIsInWord(char c);

// 256-entry maps of a byte to itself, to its upper case and to its lower case
// (Windows-1252: ASCII letters and the accented Latin letters).
using TCharMap = std::array<uint8_t, 256>;
const TCharMap& IdentityMap();
const TCharMap& UpperCaseMap();
const TCharMap& LowerCaseMap();

} // namespace quarno
