// quarno-tool compress / decompress: the compressor in file mode.
#include "ToolCommand.h"

#include "core/highlight/TCompressor.h"

namespace quarno::tool {
namespace {

int RunCompress(const std::vector<std::string>& words, std::ostream&) {
    Args args(words, {"--method"}, {});
    args.ExpectCount(2, 2);
    std::string method = args.Value("--method", "block");
    TCompressor compressor;
    if (method == "block")
        compressor.SetMethod(TCompressor::kMethodBlock);
    else if (method == "lzh")
        compressor.SetMethod(TCompressor::kMethodLzh);
    else if (method == "auto")
        compressor.SetMethod(TCompressor::kMethodAdvise);
    else
        throw UsageError("unknown method '" + method + "'");
    compressor.SetInputFile(args.At(0));
    compressor.SetOutputFile(args.At(1));
    compressor.Compress();
    return 0;
}

int RunDecompress(const std::vector<std::string>& words, std::ostream&) {
    Args args(words, {}, {});
    args.ExpectCount(2, 2);
    TCompressor compressor;
    compressor.SetInputFile(args.At(0));
    compressor.SetOutputFile(args.At(1));
    compressor.Decompress();
    return 0;
}

ToolCommandRegistrar compressRegistrar({"compress", "compress [--method block|lzh|auto] IN OUT",
                                        RunCompress});
ToolCommandRegistrar decompressRegistrar({"decompress", "decompress IN OUT", RunDecompress});

} // namespace
} // namespace quarno::tool
