// A token rule of a first-character table: a token that starts with a
// character (or is scanned wholly by a built-in handler) and the states in
// which the rule applies.
#pragma once

#include "core/highlight/TLP_MatchPart.h"
#include "core/highlight/TLP_Terminator.h"
#include "core/lexicon/TByteSet.h"

namespace quarno {

class TStream;
class TLP_CharGroupManager;

struct TLP_TokenRule {
    TLP_MatchPart start;        // a handler, or the group of first characters
    TByteSet states;            // states in which the rule applies
    TLP_MatchPart continuation; // unused when start names a handler
    TLP_Terminator terminator;  // unused when start names a handler
    uint8_t token = 0;          // the token value produced
    bool operator==(const TLP_TokenRule&) const = default;

    bool StartsWithHandler() const { return start.hasHandler; }

    // Stream form: start part, 32-byte state set, continuation, terminator,
    // uint8 token. The parts a handler start leaves unused are written and
    // read as they stand and not checked.
    void WriteTo(TStream& stream, const TLP_CharGroupManager& groups) const;
    static TLP_TokenRule ReadFrom(TStream& stream, TLP_CharGroupManager& groups);
    // Checks the handler numbers of the parts in use.
    void Validate() const;
};

} // namespace quarno
