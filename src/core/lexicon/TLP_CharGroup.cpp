// Stream form of a character group.
#include "core/lexicon/TLP_CharGroup.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"

namespace quarno {

void TLP_CharGroup::WriteTo(TStream& stream) const {
    set.WriteTo(stream);
    WriteInt32(stream, 0);
    WriteByte(stream, negate ? 1 : 0);
}

TLP_CharGroup TLP_CharGroup::ReadFrom(TStream& stream) {
    TLP_CharGroup group;
    group.set = TByteSet::ReadFrom(stream);
    int32_t ranges = ReadInt32(stream);
    if (ranges != 0) throw ELexipad(Format("Invalid character group (range count %d)", ranges));
    group.negate = ReadByte(stream) != 0;
    return group;
}

} // namespace quarno
