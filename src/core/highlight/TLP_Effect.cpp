// Stream form of an effect record.
#include "core/highlight/TLP_Effect.h"

#include "core/base/TStream.h"

namespace quarno {

void TLP_Effect::WriteTo(TStream& stream) const {
    allowed.WriteTo(stream);
    added.WriteTo(stream);
    removed.WriteTo(stream);
    WriteByte(stream, context);
    WriteByte(stream, noChange);
    WriteByte(stream, stackFlags);
}

TLP_Effect TLP_Effect::ReadFrom(TStream& stream) {
    TLP_Effect effect;
    effect.allowed = TByteSet::ReadFrom(stream);
    effect.added = TByteSet::ReadFrom(stream);
    effect.removed = TByteSet::ReadFrom(stream);
    effect.context = ReadByte(stream);
    effect.noChange = ReadByte(stream);
    effect.stackFlags = ReadByte(stream);
    return effect;
}

} // namespace quarno
