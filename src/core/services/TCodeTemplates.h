// Code templates: entries expanded from the word before the caret when the
// user presses the hot key (Ctrl+J by default).
#pragma once

#include "core/services/TMacroKeywords.h"

namespace quarno {

class TCodeTemplates : public TMacroKeywords {
public:
    const char* ClassName() const override { return "TCodeTemplates"; }
    // True when enabled and the key with its modifiers (TShiftBits) is the
    // hot key.
    bool IsHotKey(uint16_t key, uint8_t shift) const;
};

} // namespace quarno
