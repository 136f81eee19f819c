// The block method of TCompressor: coding and decoding one block.
#include "core/highlight/TCompressorKH.h"

#include "core/highlight/HighlightExceptions.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace quarno {

namespace {

constexpr int kHashSize = 4096;
constexpr int kMaxRun = 4095;
constexpr int kMinRun = 16;
constexpr int kMaxMatch = 18;
constexpr int kWindow = 4096;

// The hash of the three bytes at x; bytes past the end count as zero, which
// is safe because no match can start within two bytes of the end.
int HashAt(const uint8_t* input, int x, int n) {
    uint32_t b0 = input[x];
    uint32_t b1 = x + 1 < n ? input[x + 1] : 0;
    uint32_t b2 = x + 2 < n ? input[x + 2] : 0;
    uint32_t mixed = (((b0 << 4) ^ b1) << 4) ^ b2;
    return static_cast<int>(((mixed * 40543u) >> 4) & 0x0FFF);
}

int RunLength(const uint8_t* input, int x, int n) {
    int r = 1;
    while (x + r < n && input[x + r] == input[x] && r < kMaxRun)
        ++r;
    return r;
}

} // namespace

TCompressorKH::TCompressorKH() : m_hash(new (std::nothrow) int16_t[kHashSize]) {
    if (!m_hash) throw ECompressorKHCompressor("CompressorKH : no memory for HASH table");
}

int TCompressorKH::CompressBlock(const uint8_t* input, int n, uint8_t* out) {
    std::fill(m_hash.get(), m_hash.get() + kHashSize, int16_t{-1});
    out[0] = 0x40;
    int commandPos = 1;
    int length = 3;
    int items = 0;
    uint16_t command = 0;
    int x = 0;
    while (x < n && length <= n) {
        if (items == 16) {
            out[commandPos] = static_cast<uint8_t>(command >> 8);
            out[commandPos + 1] = static_cast<uint8_t>(command);
            commandPos = length;
            length += 2;
            items = 0;
        }
        int run = RunLength(input, x, n);
        if (run >= kMinRun) {
            int stored = run - kMinRun;
            out[length++] = 0;
            out[length++] = static_cast<uint8_t>(stored >> 8);
            out[length++] = static_cast<uint8_t>(stored);
            out[length++] = input[x];
            command = static_cast<uint16_t>((command << 1) | 1);
            x += run;
        } else {
            int h = HashAt(input, x, n);
            int p = m_hash[h];
            int k = 0;
            if (p != -1 && x - p < kWindow)
                while (k < kMaxMatch && x + k < n && input[x + k] == input[p + k])
                    ++k;
            m_hash[h] = static_cast<int16_t>(x);
            if (p != -1 && k >= 3) {
                int value = ((x - p) << 4) + (k - 3);
                out[length++] = static_cast<uint8_t>(value >> 8);
                out[length++] = static_cast<uint8_t>(value);
                command = static_cast<uint16_t>((command << 1) | 1);
                x += k;
            } else {
                out[length++] = input[x];
                command = static_cast<uint16_t>(command << 1);
                ++x;
            }
        }
        ++items;
    }
    command = static_cast<uint16_t>(command << (16 - items));
    out[commandPos] = static_cast<uint8_t>(command >> 8);
    out[commandPos + 1] = static_cast<uint8_t>(command);
    if (length > n) {
        out[0] = 0x80;
        if (n > 0) std::memcpy(out + 1, input, static_cast<size_t>(n));
        length = n + 1;
    }
    return length;
}

int TCompressorKH::DecompressBlock(const uint8_t* block, int m, uint8_t* out, int capacity) {
    if (m < 2) return 0;
    if (block[0] == 0x80) {
        if (m - 1 > capacity) return -1;
        std::memcpy(out, block + 1, static_cast<size_t>(m - 1));
        return m - 1;
    }
    int pos = 1;
    int produced = 0;
    while (pos < m) {
        if (pos + 2 > m) return -1;
        unsigned command = (unsigned{block[pos]} << 8) | block[pos + 1];
        pos += 2;
        for (int bit = 0; bit < 16 && pos < m; ++bit, command <<= 1) {
            if ((command & 0x8000) == 0) {
                if (produced >= capacity) return -1;
                out[produced++] = block[pos++];
                continue;
            }
            if (pos + 2 > m) return -1;
            unsigned b0 = block[pos];
            unsigned b1 = block[pos + 1];
            int distance = static_cast<int>(b0 * 16 + (b1 >> 4));
            if (distance == 0) {
                if (pos + 4 > m) return -1;
                int count = static_cast<int>(((b1 << 8) | block[pos + 2]) + kMinRun);
                if (count > capacity - produced) return -1;
                std::memset(out + produced, block[pos + 3], static_cast<size_t>(count));
                produced += count;
                pos += 4;
            } else {
                int count = static_cast<int>(b1 & 0x0F) + 3;
                if (distance > produced || count > capacity - produced) return -1;
                for (int i = 0; i < count; ++i, ++produced)
                    out[produced] = out[produced - distance];
                pos += 2;
            }
        }
    }
    return produced;
}

} // namespace quarno
