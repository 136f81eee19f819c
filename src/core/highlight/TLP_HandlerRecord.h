// A handler record: how a token that a keyword produced goes on. The
// continuation part takes further characters (or names a handler); the
// terminator ends the token.
#pragma once

#include "core/highlight/TLP_MatchPart.h"
#include "core/highlight/TLP_Terminator.h"

namespace quarno {

struct TLP_HandlerRecord {
    TLP_MatchPart continuation;
    TLP_Terminator terminator;
    bool operator==(const TLP_HandlerRecord&) const = default;
};

} // namespace quarno
