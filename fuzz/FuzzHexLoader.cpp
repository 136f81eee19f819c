// Fuzz harness: the Intel HEX loader over arbitrary file contents, compared
// with a small reference decoder written from the INHX8M rules alone: lines
// starting with ":" whose byte pairs (checksum included) sum to 0 mod 256 are
// data records (count, big-endian byte address, ignored type, then words low
// byte first); words land in program memory below 0x2000 or, low byte only,
// in the EEPROM at 0x2100..0x21FF. A pair that is not two hexadecimal digits
// stops the load at its line. The loader must agree entry for entry, raise
// exactly when the reference stops, and name the bad pair.
#include "core/base/StringUtils.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/THexLoader.h"
#include "core/viewers/ViewerExceptions.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct ReferenceImage {
    std::vector<uint16_t> program = std::vector<uint16_t>(8192, 0x3FFF);
    std::vector<uint16_t> eeprom = std::vector<uint16_t>(256, 0xFF);
    bool stopped = false;
};

std::optional<int> Nibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// The bytes of the complete pairs after the colon; nullopt on a bad pair.
std::optional<std::vector<uint8_t>> Pairs(const std::string& line) {
    std::vector<uint8_t> bytes;
    for (size_t i = 1; i + 1 < line.size(); i += 2) {
        auto high = Nibble(line[i]);
        auto low = Nibble(line[i + 1]);
        if (!high || !low) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(*high * 16 + *low));
    }
    return bytes;
}

void Store(ReferenceImage& image, uint32_t word, uint8_t low, uint8_t high) {
    if (word < 0x2000)
        image.program[word] = static_cast<uint16_t>(high << 8 | low);
    else if (word >= 0x2100 && word < 0x2200)
        image.eeprom[word - 0x2100] = low;
}

ReferenceImage Decode(const std::vector<std::string>& lines) {
    ReferenceImage image;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] != ':') continue;
        auto bytes = Pairs(line);
        if (!bytes) {
            image.stopped = true;
            return image;
        }
        unsigned sum = 0;
        for (uint8_t b : *bytes)
            sum += b;
        // Too short for count, address and type: nothing to store.
        if (sum % 256 != 0 || bytes->size() < 4) continue;
        size_t words = (*bytes)[0] / 2;
        uint32_t word = (static_cast<uint32_t>((*bytes)[1]) << 8 | (*bytes)[2]) / 2;
        // A record shorter than its count stores its complete words only.
        for (size_t i = 0; i < words && 4 + 2 * i + 1 < bytes->size(); ++i)
            Store(image, word + static_cast<uint32_t>(i), (*bytes)[4 + 2 * i], (*bytes)[5 + 2 * i]);
    }
    return image;
}

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail.data(), tail.size()) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = quarno::SplitLines(bytes);
    quarno::THexImage image;
    bool raised = false;
    try {
        quarno::THexLoader(image).LoadHexLines(lines);
    } catch (const quarno::EConvertError& error) {
        raised = true;
        std::string text = error.what();
        if (text.rfind("'$", 0) != 0 || !EndsWith(text, "' is not a valid integer value"))
            std::abort();
    }
    ReferenceImage expected = Decode(lines);
    if (raised != expected.stopped) std::abort();
    for (size_t i = 0; i < expected.program.size(); ++i)
        if (image.ProgramWords[i] != expected.program[i]) std::abort();
    for (size_t i = 0; i < expected.eeprom.size(); ++i)
        if (image.EepromBytes[i] != expected.eeprom[i]) std::abort();
    if (quarno::FillEepromGrid(image).size() != quarno::kEepromGridRows) std::abort();
    return 0;
}
