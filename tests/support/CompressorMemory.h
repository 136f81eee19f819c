// The compressor over memory (stream mode), as the benchmarks, fuzzers and
// tests drive it.
#pragma once

#include "core/base/TMemoryStream.h"
#include "core/highlight/TCompressor.h"

#include <cstdint>
#include <string>

namespace quarno::test {

// Compresses input into a container of method (or decompresses a container
// whatever its method); answer, when given, receives what the compressor
// answered, and blocks the blocks it read. Raises the compressor's exceptions.
inline std::string RunCompressor(const std::string& input, bool compress, int method,
                                 int32_t* answer = nullptr, int* blocks = nullptr) {
    TMemoryStream in(input);
    TMemoryStream out;
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetMethod(method);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&out);
    int32_t result = compress ? compressor.Compress() : compressor.Decompress();
    if (answer) *answer = result;
    if (blocks) *blocks = compressor.BlocksRead();
    return out.Bytes();
}

} // namespace quarno::test
