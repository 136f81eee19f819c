// The block method of TCompressor: one block of at most 32768 input bytes is
// coded as literals, back-references of 3 to 18 bytes within 4095 bytes, and
// runs of 16 to 4110 equal bytes, under big-endian 16-bit command words; or
// stored verbatim behind a 0x80 byte when coding would not make it smaller.
#pragma once

#include <cstdint>
#include <memory>

namespace quarno {

class TCompressorKH {
public:
    static constexpr int kBlockSize = 32768;
    // Room the caller gives CompressBlock: the input size plus 16.
    static constexpr int kOutputRoom = kBlockSize + 16;

    // ECompressorKHCompressor "CompressorKH : no memory for HASH table" when
    // the hash table cannot be allocated.
    TCompressorKH();
    // The hash table is per object: compressors are independent of each other.
    TCompressorKH(const TCompressorKH&) = delete;
    TCompressorKH& operator=(const TCompressorKH&) = delete;

    // Codes n (0..32768) bytes of input into out (n + 16 bytes of room) and
    // returns the block's length (1..n + 1).
    int CompressBlock(const uint8_t* input, int n, uint8_t* out);

    // Decodes one block of m bytes into out, which holds capacity bytes.
    // Returns the number of bytes produced, or -1 when the block is not well
    // formed (an item cut off, a reference before the start of the output,
    // more output than capacity). Never reads or writes outside the buffers.
    static int DecompressBlock(const uint8_t* block, int m, uint8_t* out, int capacity);

private:
    std::unique_ptr<int16_t[]> m_hash; // 4096 input positions, -1 = empty
};

} // namespace quarno
