// Fuzz harness: the Intel HEX loader over arbitrary file contents. A
// conversion error is an expected outcome; a crash, a read outside a line or
// an EEPROM entry with high bits set is a finding.
#include "core/base/StringUtils.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/THexLoader.h"
#include "core/viewers/ViewerExceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quarno::THexImage image;
    try {
        quarno::THexLoader(image).LoadHexLines(quarno::SplitLines(bytes));
    } catch (const quarno::EConvertError&) {
    }
    for (uint16_t entry : image.EepromBytes)
        if (entry > 0xFF) std::abort();
    if (quarno::FillEepromGrid(image).size() != quarno::kEepromGridRows) std::abort();
    return 0;
}
