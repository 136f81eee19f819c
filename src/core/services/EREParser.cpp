// The regular-expression engine's messages.
#include "core/services/EREParser.h"

namespace quarno {

const char* REErrorMessage(TREError error) {
    switch (error) {
    case reNoError: return "No errors detected";
    case reNotFound: return "Expression not found";
    case reInvalidParameter: return "Invalid parameter";
    case reOutOfMemory: return "Out of memory";
    case reTooManySubexpressions: return "Too many sub-expressions";
    case reUnmatchedParenthesis: return "Unmatched parenthesis";
    case reInvalidRepeat: return "Invalid repeat";
    case reNestedRepeat: return "Nested repeat";
    case reInvalidRange: return "Invalid range";
    case reUnmatchedBracket: return "Unmatched bracket";
    case reHexDigitExpected: return "Hex digit expected";
    case reUnexpectedEnd: return "Unexpected end of input";
    case reQuoteExpected: return "' expected";
    case reIndexRangeError: return "Index range error";
    case reInternalError: return "Internal error";
    case reStepLimit: return "Search abandoned: the expression needs too many steps";
    case reCountTooLarge: return "Repeat count too large (at most 65534)";
    }
    return "Internal error";
}

} // namespace quarno
