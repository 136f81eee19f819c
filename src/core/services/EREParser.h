// Errors of the regular-expression engine: the message identifiers with the
// engine's own texts, and the exception that carries one together with the
// pattern position where it arose.
#pragma once

#include "core/base/Exceptions.h"

namespace quarno {

enum TREError : int {
    reNoError,
    reNotFound,
    reInvalidParameter,
    reOutOfMemory,
    reTooManySubexpressions,
    reUnmatchedParenthesis,
    reInvalidRepeat,
    reNestedRepeat,
    reInvalidRange,
    reUnmatchedBracket,
    reHexDigitExpected,
    reUnexpectedEnd,
    reQuoteExpected,
    reIndexRangeError,
    reInternalError,
    reStepLimit,     // the search used up its step budget
    reCountTooLarge, // a count in braces above kREMaxCount
};

// The engine's message for an identifier ("No errors detected", ...).
const char* REErrorMessage(TREError error);

class EREParser : public Exception {
public:
    // position: the pattern position of a syntax error, else -1.
    explicit EREParser(TREError error, int position = -1)
        : Exception(REErrorMessage(error)), m_error(error), m_position(position) {}

    TREError Error() const { return m_error; }
    int Position() const { return m_position; }

private:
    TREError m_error;
    int m_position;
};

} // namespace quarno
