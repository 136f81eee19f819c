// Fuzzes the block-method decompressor: the input is a container after its
// signature (stored size and blocks).
#include "support/DecompressHarness.h"

#include <cstdint>
#include <cstdlib>

using namespace quarno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::DecompressAndRoundTrip(TCompressor::kBlockSignature, TCompressor::kMethodBlock, data,
                                 size, SIZE_MAX);
    return 0;
}
