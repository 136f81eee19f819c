// Source file encodings: UTF-8 detection and Windows-1252 conversion.
#include "core/base/SourceEncoding.h"

#include "core/base/FileUtils.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace quarno {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it
// leaves undefined stand for the C1 controls of the same value.
constexpr std::array<uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint32_t kByteOrderMark = 0xFEFF;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The Windows-1252 byte of a code point, or -1.
int AnsiOf(uint32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (size_t index = 0; index < kCp1252High.size(); ++index)
        if (kCp1252High[index] == code) return static_cast<int>(0x80 + index);
    return -1;
}

uint32_t CodeOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

// Runs of plain ASCII between sequences are skipped eight bytes at a time:
// sources are mostly ASCII, and this scan reads a whole file before it loads.
size_t TUtf8Scanner::SkipAscii(std::string_view bytes, size_t from) {
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    size_t at = from;
    for (uint64_t word; at + 8 <= bytes.size(); at += 8) {
        std::memcpy(&word, bytes.data() + at, 8);
        if (word & kHighBits) break;
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80)
        ++at;
    m_offset += at - from;
    return at;
}

void TUtf8Scanner::Feed(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (!m_valid) return;
        if (m_pending == 0 && (at = SkipAscii(bytes, at)) == bytes.size()) return;
        auto byte = static_cast<unsigned char>(bytes[at]);
        uint64_t offset = m_offset++;
        if (m_pending == 0) {
            if (byte < 0x80) continue;
            m_nonAscii = true;
            m_started = offset;
            if (byte >= 0xC2 && byte <= 0xDF)
                Start(1, byte & 0x1Fu, 0x80);
            else if (byte >= 0xE0 && byte <= 0xEF)
                Start(2, byte & 0x0Fu, 0x800);
            else if (byte >= 0xF0 && byte <= 0xF4)
                Start(3, byte & 0x07u, 0x10000);
            else
                m_valid = false;
            continue;
        }
        if ((byte & 0xC0) != 0x80) {
            m_valid = false;
            continue;
        }
        m_code = (m_code << 6) | (byte & 0x3Fu);
        if (--m_pending == 0) Accept(m_code);
    }
}

void TUtf8Scanner::Start(int pending, uint32_t bits, uint32_t lowest) {
    m_pending = pending;
    m_code = bits;
    m_lowest = lowest;
}

void TUtf8Scanner::Accept(uint32_t code) {
    if (code < m_lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        m_valid = false;
    } else if (code == kByteOrderMark && m_started == 0) {
        m_bom = true;
    } else if (AnsiOf(code) < 0) {
        m_representable = false;
    }
}

TSourceEncoding TUtf8Scanner::Result() const {
    if (!m_valid || m_pending != 0 || !m_nonAscii) return TSourceEncoding::Ansi;
    if (!m_representable) return TSourceEncoding::Utf8ReadOnly;
    return m_bom ? TSourceEncoding::Utf8Bom : TSourceEncoding::Utf8;
}

TSourceEncoding DetectEncoding(std::string_view bytes) {
    TUtf8Scanner scanner;
    scanner.Feed(bytes);
    return scanner.Result();
}

TSourceEncoding DetectFileEncoding(const std::string& path) {
    std::string reason;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularFile(path, reason),
                                                         &std::fclose);
    if (!file) return TSourceEncoding::Ansi;
    TUtf8Scanner scanner;
    std::vector<char> buffer(1 << 16);
    size_t got = 0;
    while (!scanner.Invalid() &&
           (got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
        scanner.Feed(std::string_view(buffer.data(), got));
    if (std::ferror(file.get())) return TSourceEncoding::Ansi;
    return scanner.Result();
}

bool IsConverted(TSourceEncoding encoding) {
    return encoding == TSourceEncoding::Utf8 || encoding == TSourceEncoding::Utf8Bom;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    if (utf8.substr(0, kUtf8Bom.size()) == kUtf8Bom) utf8.remove_prefix(kUtf8Bom.size());
    std::string out;
    out.reserve(utf8.size());
    for (size_t index = 0; index < utf8.size();) {
        auto byte = static_cast<unsigned char>(utf8[index]);
        int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        uint32_t code = length == 1   ? byte
                        : length == 2 ? byte & 0x1Fu
                        : length == 3 ? byte & 0x0Fu
                                      : byte & 0x07u;
        for (int next = 1; next < length && index + next < utf8.size(); ++next)
            code = (code << 6) | (static_cast<unsigned char>(utf8[index + next]) & 0x3Fu);
        int ansi = AnsiOf(code);
        out.push_back(ansi < 0 ? '?' : static_cast<char>(ansi));
        index += static_cast<size_t>(length);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi, bool byteOrderMark) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 8 + kUtf8Bom.size());
    if (byteOrderMark) out.append(kUtf8Bom);
    for (char c : ansi)
        AppendUtf8(out, CodeOf(static_cast<unsigned char>(c)));
    return out;
}

std::string EncodeSource(std::string_view ansi, TSourceEncoding encoding) {
    if (!IsConverted(encoding)) return std::string(ansi);
    return AnsiToUtf8(ansi, encoding == TSourceEncoding::Utf8Bom);
}

std::string EncodingDescription(TSourceEncoding encoding) {
    switch (encoding) {
    case TSourceEncoding::Ansi: return "Windows-1252";
    case TSourceEncoding::Utf8: return "UTF-8";
    case TSourceEncoding::Utf8Bom: return "UTF-8 with BOM";
    case TSourceEncoding::Utf8ReadOnly: break;
    }
    return "UTF-8, read only: it holds characters Windows-1252 cannot show";
}

} // namespace quarno
