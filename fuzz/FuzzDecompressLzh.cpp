// Fuzzes the LZH decompressor: the input is a container after its signature
// (stored size and bit stream). Round trips are checked for texts up to
// 4096 bytes, which keeps each run short.
#include "support/DecompressHarness.h"

#include <cstdint>

using namespace quarno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::DecompressAndRoundTrip(TCompressor::kLzhSignature, TCompressor::kMethodLzh, data, size,
                                 4096);
    return 0;
}
