// What both decompressor harnesses do: the fuzzed bytes follow a method's
// signature; a container that decodes must survive a compress-decompress
// round trip unchanged.
#pragma once

#include "core/base/TMemoryStream.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TCompressor.h"

#include <cstdlib>
#include <string>

namespace quarno::fuzz {

inline std::string RunCompressor(const std::string& input, bool compress, int method) {
    TMemoryStream in(input);
    TMemoryStream out;
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetMethod(method);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&out);
    if (compress)
        compressor.Compress();
    else
        compressor.Decompress();
    return out.Bytes();
}

// Round trips are checked only up to roundTripLimit bytes of decoded text.
inline void DecompressAndRoundTrip(const uint8_t* signature, int method, const uint8_t* data,
                                   size_t size, size_t roundTripLimit) {
    std::string container(reinterpret_cast<const char*>(signature), 4);
    container.append(reinterpret_cast<const char*>(data), size);
    std::string plain;
    try {
        plain = RunCompressor(container, false, method);
    } catch (const ECompressorException&) {
        return;
    }
    if (plain.size() <= roundTripLimit &&
        RunCompressor(RunCompressor(plain, true, method), false, 0) != plain)
        std::abort();
}

} // namespace quarno::fuzz
