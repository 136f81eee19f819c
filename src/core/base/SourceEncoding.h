// How a source file's bytes become the Windows-1252 bytes a document holds,
// and back. Files that are valid UTF-8 with characters beyond ASCII are
// converted when Windows-1252 holds every one of their characters; anything
// else is taken byte for byte, as it always was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarno {

enum class TSourceEncoding {
    Ansi,         // bytes as they are: ASCII, Windows-1252, binary, broken UTF-8
    Utf8,         // converted on loading and back on saving
    Utf8Bom,      // the same, the byte-order mark written back
    Utf8ReadOnly, // characters Windows-1252 lacks: its bytes shown, read-only
};

// Decides the encoding of bytes fed piece by piece (a file of any size).
class TUtf8Scanner {
public:
    void Feed(std::string_view bytes);
    TSourceEncoding Result() const;
    // Broken UTF-8: nothing fed later changes the result.
    bool Invalid() const { return !m_valid; }

private:
    size_t SkipAscii(std::string_view bytes, size_t from);
    void Start(int pending, uint32_t bits, uint32_t lowest);
    void Accept(uint32_t code);

    uint64_t m_offset = 0;  // bytes fed so far
    uint64_t m_started = 0; // offset of the sequence being read
    int m_pending = 0;      // continuation bytes still expected
    uint32_t m_code = 0;
    uint32_t m_lowest = 0; // the smallest code the sequence's length may hold
    bool m_valid = true;
    bool m_nonAscii = false;
    bool m_bom = false;
    bool m_representable = true;
};

TSourceEncoding DetectEncoding(std::string_view bytes);
// The encoding of a file; Ansi when it cannot be read (the load that
// follows reports why).
TSourceEncoding DetectFileEncoding(const std::string& path);
// Whether the document's bytes differ from the file's (converted both ways).
bool IsConverted(TSourceEncoding encoding);

// Valid UTF-8 whose characters Windows-1252 holds, as Windows-1252 bytes (a
// leading byte-order mark dropped); other characters become "?".
std::string Utf8ToAnsi(std::string_view utf8);
// Windows-1252 bytes as UTF-8, with a leading byte-order mark when asked.
std::string AnsiToUtf8(std::string_view ansi, bool byteOrderMark);
// The encoding's bytes of a document's text.
std::string EncodeSource(std::string_view ansi, TSourceEncoding encoding);

// "Windows-1252", "UTF-8", "UTF-8 with BOM", "UTF-8, read only: ...".
std::string EncodingDescription(TSourceEncoding encoding);

} // namespace quarno
