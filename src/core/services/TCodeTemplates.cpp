// Code templates and their hot key.
#include "core/services/TCodeTemplates.h"

#include "core/lexicon/ShortCuts.h"

namespace quarno {

bool TCodeTemplates::IsHotKey(uint16_t key, uint8_t shift) const {
    return Enabled() && HotKey() != 0 && key <= 0xFF && MakeShortCut(key, shift) == HotKey();
}

} // namespace quarno
