// Stream form of part record A.
#include "core/highlight/TLP_MatchPart.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/highlight/TLP_CharGroupManager.h"

namespace quarno {

bool IsBuiltInHandler(int32_t number) {
    return (number >= 0 && number <= 2) || (number >= 10 && number <= 20);
}

void TLP_MatchPart::WriteTo(TStream& stream, const TLP_CharGroupManager& groups) const {
    WriteByte(stream, repeat);
    groups.Get(group).WriteTo(stream);
    WriteByte(stream, hasHandler ? 1 : 0);
    if (hasHandler) {
        WriteByte(stream, custom ? 1 : 0);
        WriteInt32(stream, handler);
    }
}

TLP_MatchPart TLP_MatchPart::ReadFrom(TStream& stream, TLP_CharGroupManager& groups) {
    TLP_MatchPart part;
    part.repeat = ReadByte(stream);
    part.group = groups.Add(TLP_CharGroup::ReadFrom(stream));
    part.hasHandler = ReadByte(stream) != 0;
    if (part.hasHandler) {
        part.custom = ReadByte(stream) != 0;
        part.handler = ReadInt32(stream);
    }
    return part;
}

void TLP_MatchPart::Validate() const {
    if (hasHandler && !custom && !IsBuiltInHandler(handler))
        throw ELexipad(Format("Invalid handler number (%d)", handler));
}

} // namespace quarno
