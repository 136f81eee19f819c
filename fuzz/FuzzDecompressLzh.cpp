// Fuzzes the LZH decompressor: the input is a container after its
// signature (stored size and bit stream). A container that decodes must survive a
// compress-decompress round trip unchanged.
#include "base/TMemoryStream.h"
#include "highlight/HighlightExceptions.h"
#include "highlight/TCompressor.h"

#include <cstdlib>
#include <string>

using namespace quarno;

namespace {

std::string Run(const std::string& input, bool compress, int method) {
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string container(reinterpret_cast<const char*>(TCompressor::kLzhSignature), 4);
    container.append(reinterpret_cast<const char*>(data), size);
    std::string plain;
    try {
        plain = Run(container, false, TCompressor::kMethodLzh);
    } catch (const ECompressorException&) {
        return 0;
    }
    if (plain.size() <= 4096 && Run(Run(plain, true, TCompressor::kMethodLzh), false, 0) != plain)
        std::abort();
    return 0;
}
