// Stream form of a token rule.
#include "core/highlight/TLP_TokenRule.h"

#include "core/base/TStream.h"

namespace quarno {

void TLP_TokenRule::WriteTo(TStream& stream, const TLP_CharGroupManager& groups) const {
    start.WriteTo(stream, groups);
    states.WriteTo(stream);
    continuation.WriteTo(stream, groups);
    terminator.WriteTo(stream, groups);
    WriteByte(stream, token);
}

TLP_TokenRule TLP_TokenRule::ReadFrom(TStream& stream, TLP_CharGroupManager& groups) {
    TLP_TokenRule rule;
    rule.start = TLP_MatchPart::ReadFrom(stream, groups);
    rule.states = TByteSet::ReadFrom(stream);
    rule.continuation = TLP_MatchPart::ReadFrom(stream, groups);
    rule.terminator = TLP_Terminator::ReadFrom(stream, groups);
    rule.token = ReadByte(stream);
    return rule;
}

void TLP_TokenRule::Validate() const {
    start.Validate();
    if (!StartsWithHandler()) {
        continuation.Validate();
        terminator.Validate();
    }
}

} // namespace quarno
