// What both decompressor harnesses do: the fuzzed bytes follow a method's
// signature; a container that decodes must survive a compress-decompress
// round trip unchanged.
#pragma once

#include "core/highlight/HighlightExceptions.h"
#include "support/CompressorMemory.h"

#include <cstdlib>
#include <string>

namespace quarno::fuzz {

using quarno::test::RunCompressor;

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
