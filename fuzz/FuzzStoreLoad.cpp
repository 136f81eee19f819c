// Fuzz harness: bytes loaded into a document store through a stream that
// hands them over in pieces of a chosen size, after a padding that puts the
// fuzzed bytes across the 2047-character record split or the 8192-byte load
// piece. The store must hold what a small reference normaliser makes of the
// bytes (CR LF, LF CR and a lone LF are one CR; TAB and 32..255 stay; other
// control characters, NUL included, become "."), keep its invariants, save
// back exactly that text (line breaks as CR LF), and survive word wrap
// switched on and off.
#include "core/base/TMemoryStream.h"
#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace quarno;

namespace {

// Reads at most m_piece bytes per call, as a pipe or a slow disk may.
class TPiecewiseStream : public TStream {
public:
    TPiecewiseStream(std::string bytes, int64_t piece)
        : m_bytes(std::move(bytes)), m_piece(piece) {}
    int64_t Read(void* buffer, int64_t count) override {
        int64_t left = static_cast<int64_t>(m_bytes.size()) - m_position;
        int64_t n = std::max<int64_t>(0, std::min({count, m_piece, left}));
        std::memcpy(buffer, m_bytes.data() + m_position, static_cast<size_t>(n));
        m_position += n;
        return n;
    }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
        int64_t base = origin == TSeekOrigin::soBeginning ? 0
                       : origin == TSeekOrigin::soCurrent ? m_position
                                                          : static_cast<int64_t>(m_bytes.size());
        m_position = std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(m_bytes.size()));
        return m_position;
    }

private:
    std::string m_bytes;
    int64_t m_piece;
    int64_t m_position = 0;
};

std::string Normalize(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            char other = c == '\r' ? '\n' : '\r';
            if (i + 1 < bytes.size() && bytes[i + 1] == other) ++i;
            text += '\r';
        } else {
            text += c == '\t' || c >= 32 ? static_cast<char>(c) : '.';
        }
    }
    return text;
}

size_t Padding(uint8_t choice) {
    const size_t edges[] = {0, 2047, 8192, 16384};
    size_t edge = edges[choice % 4];
    return edge == 0 ? 0 : edge - (choice / 4) % 6;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    std::string bytes(Padding(data[0]), data[0] & 0x80 ? 'x' : '\r');
    int64_t piece = data[1] == 0 ? 1 << 20 : data[1];
    bytes.append(reinterpret_cast<const char*>(data + 2), size - 2);
    TCustomLexipad pad;
    TPiecewiseStream stream(bytes, piece);
    pad.LoadFromStream(stream);
    std::string expected = Normalize(bytes);
    if (pad.Text() != expected) std::abort();
    if (!quarno::test::CheckInvariants(pad.Store()).empty()) std::abort();
    // Saved as a file is written: each line break as CR LF.
    std::string file;
    for (char c : expected)
        file += c == '\r' ? std::string("\r\n") : std::string(1, c);
    TMemoryStream saved;
    pad.SaveToStream(&saved);
    if (saved.Bytes() != file) std::abort();
    // Wrapped at a small column and unwrapped again, the text stays and the
    // records come back as loaded.
    const std::string loaded = quarno::test::RecordLayout(pad.Store());
    pad.SetWrapAtColumn(1 + data[1] % 40);
    pad.SetOptions(pad.Options() | smoWordWrap);
    if (pad.Text() != expected || !quarno::test::CheckInvariants(pad.Store()).empty()) std::abort();
    pad.SetOptions(pad.Options() & ~smoWordWrap);
    if (quarno::test::RecordLayout(pad.Store()) != loaded) std::abort();
    if (!quarno::test::CheckInvariants(pad.Store()).empty()) std::abort();
    return 0;
}
