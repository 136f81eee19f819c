// The Intel HEX loader.
#include "core/viewers/THexLoader.h"

#include "core/base/StringUtils.h"
#include "core/viewers/ViewerExceptions.h"

#include <cassert>

namespace quarno {

static int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A character of the pair as the message shows it: a control character (a
// NUL would end the message text) as "\xHH".
static std::string Shown(char c) {
    auto code = static_cast<unsigned char>(c);
    if (code >= 32 && code != 127) return std::string(1, c);
    return Format("\\x%02X", code);
}

// Converts "$" + the two characters as a hexadecimal integer would be.
static uint8_t ConvertHexPair(char high, char low) {
    int h = HexDigitValue(high);
    int l = HexDigitValue(low);
    if (h < 0 || l < 0)
        throw EConvertError("'$" + Shown(high) + Shown(low) + "' is not a valid integer value");
    return static_cast<uint8_t>(h * 16 + l);
}

bool THexLoader::HexLineValid(std::string_view line) {
    m_line = line;
    m_position = 1;
    if (line.empty() || line[0] != ':') return false;
    uint16_t sum = 0;
    // Pairs start at the 1-based position 2; p < length keeps both in range.
    for (size_t p = 2; p < line.size(); p += 2)
        sum = static_cast<uint16_t>(sum + ConvertHexPair(line[p - 1], line[p]));
    m_position = 2; // the record's fields start after the colon
    return (sum & 0xFF) == 0;
}

uint8_t THexLoader::ReadHexByte() {
    if (!HasChars(2)) {
        assert(!"ReadHexByte past the end of the line");
        return 0;
    }
    uint8_t value = ConvertHexPair(m_line[m_position - 1], m_line[m_position]);
    m_position += 2;
    return value;
}

uint16_t THexLoader::ReadHexWord() {
    uint16_t high = ReadHexByte();
    uint16_t low = ReadHexByte();
    return static_cast<uint16_t>(high << 8 | low);
}

void THexLoader::StoreWord(uint32_t wordAddress, uint16_t value) {
    if (wordAddress < THexImage::kProgramWordCount)
        m_image.ProgramWords[wordAddress] = value;
    else if (wordAddress >= THexImage::kEepromBase &&
             wordAddress < THexImage::kEepromBase + THexImage::kEepromByteCount)
        m_image.EepromBytes[wordAddress - THexImage::kEepromBase] = value & 0xFF;
    // ID locations, the configuration word and everything else are dropped.
}

// Parses the current (valid) line. The record type is not examined: every
// record is data at its address. A line shorter than its count announces is
// stored up to its last complete word and never read past its end.
void THexLoader::StoreRecord() {
    m_position = 2;
    if (!HasChars(8)) return; // count, address and type are not all there
    int words = ReadHexByte() >> 1;
    uint32_t wordAddress = ReadHexWord() >> 1;
    ReadHexByte(); // record type
    for (int i = 0; i < words && HasChars(4); ++i) {
        uint16_t low = ReadHexByte();
        uint16_t high = ReadHexByte();
        StoreWord(wordAddress, static_cast<uint16_t>(high << 8 | low));
        ++wordAddress;
    }
    if (HasChars(2)) ReadHexByte(); // checksum, already covered by HexLineValid
}

void THexLoader::LoadHexLines(const std::vector<std::string>& lines) {
    m_image.Clear();
    for (const std::string& line : lines)
        if (HexLineValid(line)) StoreRecord();
    m_line.clear();
    m_position = 1;
}

void LoadHexLines(const std::vector<std::string>& lines) {
    THexLoader(HexImage).LoadHexLines(lines);
}

bool HexLineValid(std::string_view line) {
    return THexLoader(HexImage).HexLineValid(line);
}

} // namespace quarno
