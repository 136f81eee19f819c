// The Intel HEX loader: turns the lines of an INHX8M file (byte addresses,
// 14-bit words low byte first) into a PIC memory image.
#pragma once

#include "core/viewers/THexImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class THexLoader {
public:
    explicit THexLoader(THexImage& image) : m_image(image) {}
    // The loader keeps a reference to its image and the line it parses.
    THexLoader(const THexLoader&) = delete;
    THexLoader& operator=(const THexLoader&) = delete;

    // Resets the image, then stores every record of lines in order. A pair of
    // characters that is not two hexadecimal digits raises EConvertError and
    // stops the load at that line; records before it stay in the image.
    void LoadHexLines(const std::vector<std::string>& lines);

    // True when line starts with ":" and all its character pairs after the
    // colon (checksum included) sum to 0 modulo 256; a last odd character is
    // ignored. Makes line the current line with the position on its first
    // field (2). EConvertError on a non-hex pair.
    bool HexLineValid(std::string_view line);

    // The two characters at the current position as a byte; advances by 2.
    // At the end of the line it returns 0 and stays put.
    uint8_t ReadHexByte();
    // Two bytes, the first one the high byte (the address field's order).
    uint16_t ReadHexWord();

    // 1-based position in the current line, as the record fields count it.
    size_t Position() const { return m_position; }

private:
    bool HasChars(size_t count) const { return m_position + count - 1 <= m_line.size(); }
    void StoreRecord();
    void StoreWord(uint32_t wordAddress, uint16_t value);

    THexImage& m_image;
    std::string m_line;
    // Wider than the record format needs, so records of any length are read.
    size_t m_position = 1;
};

// The loader's operations on the program's one image, HexImage.
void LoadHexLines(const std::vector<std::string>& lines);
bool HexLineValid(std::string_view line);

} // namespace quarno
