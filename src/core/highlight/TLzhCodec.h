// The LZH method of TCompressor: the published LZHUF bit stream, LZSS over a
// 4096-byte ring buffer (the first 4036 bytes preset with spaces, look-ahead
// 60, matches of 3 or more) with adaptive Huffman coding of 314 symbols and
// match positions coded through fixed tables for their upper 6 bits.
#pragma once

#include "core/highlight/TCodecIO.h"

#include <array>
#include <cstdint>
#include <memory>

namespace quarno {

class TLzhCodec {
public:
    // ElzhException "LZH : Cannot get memory for dictionary tables" when the
    // tables cannot be allocated.
    TLzhCodec();
    ~TLzhCodec();
    // Holds large tables for one run at a time.
    TLzhCodec(const TLzhCodec&) = delete;
    TLzhCodec& operator=(const TLzhCodec&) = delete;

    // Reads the whole input (until ReadSome gives 0) and writes its code;
    // returns the number of input bytes.
    int64_t Encode(TCodecIO& io);
    // Decodes symbols until at least size bytes are produced and returns how
    // many were (a last match may overshoot). ECodecFault kTruncated when the
    // input ends before that.
    int64_t Decode(TCodecIO& io, int64_t size);

    // The published tables for the upper 6 bits of a match position: code
    // length and left-aligned code per value, and the decoding tables indexed
    // by the next 8 bits of input.
    static const std::array<uint8_t, 64>& PositionLengths();
    static const std::array<uint8_t, 64>& PositionCodes();
    static const std::array<uint8_t, 256>& DecodeCodes();
    static const std::array<uint8_t, 256>& DecodeLengths();

private:
    struct Tables;
    class BitWriter;
    class BitReader;
    void StartHuff();
    void Reconstruct();
    void Update(int c);
    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    void EncodeChar(BitWriter& out, int c);
    void EncodePosition(BitWriter& out, int position);
    int DecodeChar(BitReader& in);
    int DecodePosition(BitReader& in);

    std::unique_ptr<Tables> m_tables;
    int m_matchPosition = 0;
    int m_matchLength = 0;
};

} // namespace quarno
