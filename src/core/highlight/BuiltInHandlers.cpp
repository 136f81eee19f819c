// The built-in scanning routines of the parser run time.
#include "core/highlight/BuiltInHandlers.h"

#include "core/highlight/TParserCursor.h"

#include <string_view>

namespace quarno {

namespace {

constexpr uint8_t kCR = '\r';

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsIdentChar(uint8_t c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}
bool IsWebChar(uint8_t c) {
    return c == '#' || c == '&' || (c >= '-' && c <= ':') || c == '=' || (c >= '?' && c <= 'Z') ||
           c == '\\' || c == '_' || (c >= 'a' && c <= 'z') || c == '|' || c == '~';
}
bool IsMailChar(uint8_t c) {
    return IsLetter(c) || IsDigit(c) || c == '~' || c == '.' || c == '@' || c == '-' || c == '_';
}

bool At(const TParserCursor& cursor, uint8_t c) {
    return !cursor.AtEnd() && cursor.CurrentChar() == c;
}

// Advances while the predicate holds; returns the characters taken. The
// predicate sees the same characters in the same order either way: first
// straight over the current record, then, once a run reaches its end, one
// character at a time across records.
template <typename Predicate> int TakeWhile(TParserCursor& cursor, Predicate accept) {
    const std::string_view window = cursor.Window();
    size_t run = 0;
    while (run < window.size() && accept(static_cast<uint8_t>(window[run])))
        ++run;
    int taken = static_cast<int>(run);
    if (run > 0) cursor.Skip(taken);
    if (run < window.size()) return taken;
    while (!cursor.AtEnd() && accept(cursor.CurrentChar())) {
        cursor.Advance();
        ++taken;
    }
    return taken;
}

bool PascalChar(TParserCursor& cursor) {
    if (cursor.AtEnd() || cursor.CurrentChar() == kCR) return false;
    if (cursor.CurrentChar() != '\'') {
        cursor.Advance();
        return true;
    }
    cursor.Advance();
    if (At(cursor, '\'')) {
        cursor.Advance();
        return true;
    }
    return false;
}

// Characters of a web address; a final full stop is left for what follows.
bool WebChar(TParserCursor& cursor) {
    int taken = TakeWhile(cursor, IsWebChar);
    if (taken > 0) {
        cursor.StepBack();
        if (cursor.CurrentChar() == '.')
            --taken;
        else
            cursor.Advance();
    }
    return taken > 0;
}

// The rest of a line, but only for a token that starts one.
bool OriginalChar(TParserCursor& cursor, int tokenStart) {
    if (tokenStart > 0) {
        int here = cursor.Position();
        cursor.SetPosition(tokenStart - 1);
        bool lineStart = cursor.CurrentChar() == kCR;
        cursor.SetPosition(here);
        if (!lineStart) return false;
    }
    TakeWhile(cursor, [](uint8_t c) { return c != kCR; });
    return true;
}

bool Identifier(TParserCursor& cursor) {
    if (cursor.AtEnd()) return false;
    uint8_t c = cursor.CurrentChar();
    if (!IsLetter(c) && c != '_') return false;
    TakeWhile(cursor, IsIdentChar);
    return true;
}

// Digits, a fraction only when a digit follows the full stop, and an
// exponent only when digits follow the e (and its sign).
bool NumberOrFp(TParserCursor& cursor) {
    if (TakeWhile(cursor, IsDigit) == 0) return false;
    if (At(cursor, '.')) {
        cursor.Advance();
        if (TakeWhile(cursor, IsDigit) == 0) cursor.StepBack();
    }
    if (At(cursor, 'e') || At(cursor, 'E')) {
        int mark = cursor.Position();
        cursor.Advance();
        if (At(cursor, '+') || At(cursor, '-')) cursor.Advance();
        if (TakeWhile(cursor, IsDigit) == 0) cursor.SetPosition(mark);
    }
    return true;
}

bool PascalString(TParserCursor& cursor) {
    if (!At(cursor, '\'')) return false;
    cursor.Advance();
    while (!cursor.AtEnd() && cursor.CurrentChar() != kCR) {
        uint8_t c = cursor.CurrentChar();
        cursor.Advance();
        if (c != '\'') continue;
        if (!At(cursor, '\'')) break; // the closing quote
        cursor.Advance();             // a doubled quote stays inside
    }
    return true;
}

// A backslash makes the next character ordinary, so an escaped line break
// continues the string on the next line.
bool CString(TParserCursor& cursor, uint8_t quote) {
    if (!At(cursor, quote)) return false;
    cursor.Advance();
    while (!cursor.AtEnd()) {
        uint8_t c = cursor.CurrentChar();
        if (c == kCR) break;
        cursor.Advance();
        if (c == quote) break;
        if (c == '\\' && !cursor.AtEnd()) cursor.Advance();
    }
    return true;
}

bool SignedNumber(TParserCursor& cursor) {
    if (At(cursor, '+') || At(cursor, '-')) cursor.Advance();
    return NumberOrFp(cursor);
}

// An address with an at sign; a final full stop is left for what follows.
bool MailUrl(TParserCursor& cursor) {
    bool at = false;
    int taken = TakeWhile(cursor, [&at](uint8_t c) {
        at = at || c == '@';
        return IsMailChar(c);
    });
    if (!at) return false;
    cursor.StepBack();
    if (cursor.CurrentChar() != '.') cursor.Advance();
    return taken > 0;
}

bool HtmlString(TParserCursor& cursor) {
    if (!At(cursor, '"')) return false;
    cursor.Advance();
    while (!cursor.AtEnd()) {
        uint8_t c = cursor.CurrentChar();
        cursor.Advance();
        if (c == '"' || c == kCR) break;
    }
    return true;
}

// To the end of the line, stopping so that "-->" is left for the next token.
bool JsLineComment(TParserCursor& cursor) {
    int taken = 0;
    while (!cursor.AtEnd() && cursor.CurrentChar() != kCR) {
        if (cursor.CurrentChar() != '-') {
            cursor.Advance();
            ++taken;
            continue;
        }
        int run = TakeWhile(cursor, [](uint8_t c) { return c == '-'; });
        taken += run;
        if (run >= 2 && At(cursor, '>')) {
            cursor.StepBack();
            cursor.StepBack();
            taken -= 2;
            break;
        }
    }
    return taken > 0;
}

bool Dispatch(int32_t number, TParserCursor& cursor, int tokenStart) {
    switch (number) {
    case hPascalChar: return PascalChar(cursor);
    case hWebChar: return WebChar(cursor);
    case hOriginalChar: return OriginalChar(cursor, tokenStart);
    case hStdIdentifier: return Identifier(cursor);
    case hStdNumberOrFp: return NumberOrFp(cursor);
    case hStdPascalString: return PascalString(cursor);
    case hStdCString: return CString(cursor, '"');
    case hStdCChar:
    case hStdCStringSq: return CString(cursor, '\'');
    case hStdCNumberOrFpSigned: return SignedNumber(cursor);
    case hStdNumber: return TakeWhile(cursor, IsDigit) > 0;
    case hStdMailUrl: return MailUrl(cursor);
    case hStdHtmlString: return HtmlString(cursor);
    case hStdJsLineComment: return JsLineComment(cursor);
    default: return false;
    }
}

} // namespace

bool RunBuiltInHandler(int32_t number, TParserCursor& cursor, int& length, int tokenStart) {
    int start = cursor.Position();
    if (Dispatch(number, cursor, tokenStart)) {
        length += cursor.Position() - start;
        return true;
    }
    cursor.SetPosition(start);
    return false;
}

} // namespace quarno
