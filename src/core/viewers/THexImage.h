// The memory image of a mid-range PIC that the Intel HEX loader fills and the
// program-memory and EEPROM views show.
#pragma once

#include <array>
#include <cstdint>

namespace quarno {

struct THexImage {
    static constexpr int kProgramWordCount = 8192; // word addresses 0x0000-0x1FFF
    static constexpr int kEepromByteCount = 256;   // word addresses 0x2100-0x21FF
    static constexpr uint16_t kErasedWord = 0x3FFF;
    static constexpr uint16_t kErasedByte = 0x00FF;
    static constexpr uint32_t kEepromBase = 0x2100;

    // One entry per word, all 16 bits as read from the file.
    std::array<uint16_t, kProgramWordCount> ProgramWords;
    // One entry per EEPROM byte, in the low 8 bits; the high 8 bits stay 0.
    std::array<uint16_t, kEepromByteCount> EepromBytes;

    THexImage() { Clear(); }
    // Every entry to its erased value, so the image reads as an erased device.
    void Clear();
};

// The one image of the program, filled from the current document's HEX file.
extern THexImage HexImage;

// Resets HexImage to an erased device.
void ClearHexImage();

} // namespace quarno
