// The byte source and sink a TCompressor method codes through, and the
// faults a codec reports; TCompressor turns both into its own messages.
#pragma once

#include <cstdint>

namespace quarno {

class TCodecIO {
public:
    virtual ~TCodecIO() = default;
    // Up to count bytes of input; 0 at its end.
    virtual int64_t ReadSome(uint8_t* buffer, int64_t count) = 0;
    // All count bytes to the output, or an exception.
    virtual void WriteAll(const uint8_t* data, int64_t count) = 0;
};

// Raised by a codec: the input ended inside the coded data, or the data is
// not well formed.
struct ECodecFault {
    enum Kind { kTruncated, kCorrupt } kind;
};

} // namespace quarno
