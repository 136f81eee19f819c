// The scanning routines a compiled parser names by number: pieces of a token
// (0-2) and whole tokens (10-20) such as identifiers, numbers and strings.
#pragma once

#include <cstdint>

namespace quarno {

class TParserCursor;

enum TBuiltInHandler : int32_t {
    hPascalChar = 0,
    hWebChar = 1,
    hOriginalChar = 2,
    hStdIdentifier = 10,
    hStdNumberOrFp = 11,
    hStdPascalString = 12,
    hStdCString = 13,
    hStdCChar = 14,
    hStdCNumberOrFpSigned = 15,
    hStdNumber = 16,
    hStdMailUrl = 17,
    hStdHtmlString = 18,
    hStdJsLineComment = 19,
    hStdCStringSq = 20,
};

// True for 10..20: routines that scan a whole token and may start one.
inline bool IsTokenHandler(int32_t number) {
    return number >= hStdIdentifier && number <= hStdCStringSq;
}

// Runs routine number from the cursor. On success the cursor stands after
// what it took and length grows by that many characters; on failure both are
// as they were. tokenStart is the position of the token's first character
// (routine 2 needs it). Numbers without a routine fail. Never reads past the
// end of the text.
bool RunBuiltInHandler(int32_t number, TParserCursor& cursor, int& length, int tokenStart);

} // namespace quarno
