// Stream form of part record B.
#include "core/highlight/TLP_Terminator.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/highlight/TLP_CharGroupManager.h"
#include "core/highlight/TLP_MatchPart.h"

namespace quarno {

void TLP_Terminator::WriteTo(TStream& stream, const TLP_CharGroupManager& pool) const {
    WriteByte(stream, include);
    WriteByte(stream, hasHandler ? 1 : 0);
    if (hasHandler) {
        WriteByte(stream, custom ? 1 : 0);
        WriteInt32(stream, handler);
        return;
    }
    WriteByte(stream, count);
    for (int i = 0; i < count && i < kMaxGroups; ++i)
        pool.Get(groups[static_cast<size_t>(i)]).WriteTo(stream);
}

TLP_Terminator TLP_Terminator::ReadFrom(TStream& stream, TLP_CharGroupManager& pool) {
    TLP_Terminator part;
    part.include = ReadByte(stream);
    part.hasHandler = ReadByte(stream) != 0;
    if (part.hasHandler) {
        part.custom = ReadByte(stream) != 0;
        part.handler = ReadInt32(stream);
        return part;
    }
    part.count = ReadByte(stream);
    if (part.count > kMaxGroups)
        throw ELexipad(Format("Invalid terminator length (%d)", part.count));
    for (int i = 0; i < part.count; ++i)
        part.groups[static_cast<size_t>(i)] = pool.Add(TLP_CharGroup::ReadFrom(stream));
    return part;
}

void TLP_Terminator::Validate() const {
    if (hasHandler && !custom && !IsBuiltInHandler(handler))
        throw ELexipad(Format("Invalid handler number (%d)", handler));
}

} // namespace quarno
