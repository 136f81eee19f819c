// The memory image of a mid-range PIC.
#include "core/viewers/THexImage.h"

namespace quarno {

THexImage HexImage;

void THexImage::Clear() {
    ProgramWords.fill(kErasedWord);
    EepromBytes.fill(kErasedByte);
}

void ClearHexImage() {
    HexImage.Clear();
}

} // namespace quarno
