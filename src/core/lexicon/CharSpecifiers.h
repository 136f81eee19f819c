// The character syntax of parser scripts: backslash escapes in string values,
// and character specifiers ("a", "\t", "[0-9A-Fa-f]", "[^\n]") that describe
// character groups. Errors raise ELexipad with the script compiler's texts.
#pragma once

#include "core/lexicon/TLP_CharGroup.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarno {

// Reads the escape after a backslash at raw[pos] and moves pos past it:
// octal digits give that code, b 8, e 27, n 13 (carriage return), r 10 (line
// feed), s a blank, t 9, x and hexadecimal digits that code (u too when
// hexU), any other character itself; letters in any case.
uint8_t ReadEscape(std::string_view raw, size_t& pos, bool hexU);

// The value of a script string literal: its escapes replaced.
std::string UnescapeScriptString(std::string_view raw);

// The character groups a specifier string describes, one per single
// character or bracketed set. "Characters not in correct order for range
// specifier" for a range that runs backwards; "Character range error" for a
// set without its closing bracket.
std::vector<TLP_CharGroup> ParseCharSpecifiers(std::string_view raw);

} // namespace quarno
