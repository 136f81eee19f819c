// Stream form of a style record.
#include "core/settings/TLP_Style.h"

#include "core/base/TStream.h"

namespace quarno {

void TLP_Style::WriteTo(TStream& stream) const {
    WriteByte(stream, fontStyle);
    WriteInt32(stream, textColor);
    WriteInt32(stream, backColor);
    WriteByte(stream, textDefault);
    WriteByte(stream, backDefault);
    WriteByte(stream, hotSpot);
    WriteInt32(stream, defined);
}

TLP_Style TLP_Style::ReadFrom(TStream& stream) {
    TLP_Style style;
    style.fontStyle = ReadByte(stream);
    style.textColor = ReadInt32(stream);
    style.backColor = ReadInt32(stream);
    style.textDefault = ReadByte(stream);
    style.backDefault = ReadByte(stream);
    style.hotSpot = ReadByte(stream);
    style.defined = ReadInt32(stream);
    return style;
}

} // namespace quarno
