// Line-break and control-character normalisation.
#include "core/document/TextNormalization.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quarno {

namespace {

// The high bit of every byte of the word below 32: subtracting 32 from such
// a byte sets its high bit where the byte's own was clear. A borrow only
// starts at such a byte, so the lowest bit set is always a true one.
uint64_t Controls(uint64_t word) {
    constexpr uint64_t kThirtyTwos = 0x2020202020202020u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    return (word - kThirtyTwos) & ~word & kHighBits;
}

bool Passes(char c) {
    return static_cast<unsigned char>(c) >= 32 || c == '\t';
}

// Copies the run of bytes that pass unchanged (TAB and 32..255) from i on,
// eight at a time: each word is stored whole (the output, as long as the
// input, has room) and both positions move on to its first control byte.
void CopyPlainRun(const char* read, size_t& i, size_t end, char*& write) {
    if constexpr (std::endian::native == std::endian::little) {
        for (uint64_t word; i + 8 <= end;) {
            std::memcpy(&word, read + i, 8);
            std::memcpy(write, &word, 8);
            const uint64_t controls = Controls(word);
            const size_t plain = controls ? std::countr_zero(controls) / 8 : 8;
            i += plain;
            write += plain;
            if (plain < 8) {
                if (read[i] != '\t') return;
                ++i; // stored with its word
                ++write;
            }
        }
    }
    while (i < end && Passes(read[i]))
        *write++ = read[i++];
}

} // namespace

size_t NormalizeChunk(std::string_view text, size_t limit, std::string& out) {
    size_t end = std::min(limit, text.size());
    size_t base = out.size();
    out.resize(base + end);
    char* write = out.data() + base;
    const char* read = text.data();
    size_t i = 0;
    while (i < end) {
        // Most bytes pass unchanged: copy them in runs.
        CopyPlainRun(read, i, end, write);
        if (i >= end) break;
        char c = read[i];
        if (c == '\r' || c == '\n') {
            char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && read[i + 1] == partner) {
                if (i + 1 >= end && i > 0) break; // the pair continues in the next chunk
                ++i;
            }
            *write++ = '\r';
        } else {
            *write++ = '.';
        }
        ++i;
    }
    out.resize(static_cast<size_t>(write - out.data()));
    return i;
}

std::string NormalizeText(std::string_view text) {
    std::string out;
    NormalizeChunk(text, text.size(), out);
    return out;
}

} // namespace quarno
