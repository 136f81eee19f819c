// The compressor of the compiled parser format: a container of a 4-byte
// method signature, the int32 uncompressed size and the payload of the block
// method (TCompressorKH) or the LZH method (TLzhCodec). Works between two
// files or between two streams.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

class TStream;

class TCompressor {
public:
    enum TMethod { kMethodLzh = 0, kMethodBlock = 1, kMethodAdvise = 2 };
    static constexpr uint8_t kBlockSignature[4] = {0x57, 0x52, 0x5A, 0x4C};
    static constexpr uint8_t kLzhSignature[4] = {0x21, 0x48, 0x5A, 0x4C};

    TCompressor() = default;

    void SetInputFile(const std::string& name) { m_inputFile = name; }
    void SetOutputFile(const std::string& name) { m_outputFile = name; }
    // 0 LZH method, 1 block method, 2 let Advise decide.
    void SetMethod(int method) { m_method = method; }
    int Method() const { return m_method; }
    // True: use the streams; false: use the files.
    void SetStreamMode(bool on) { m_streamMode = on; }
    // Streams are borrowed, never owned.
    void SetInputStream(TStream* stream) { m_inputStream = stream; }
    void SetOutputStream(TStream* stream) { m_outputStream = stream; }
    void SetAdviseThreshold(int percent) { m_adviseThreshold = percent; }

    // Compresses the input from its current position (a file from its start)
    // and returns the number of bytes written. In file mode the output only
    // appears when compression succeeds. Failures raise ECompressorException.
    int32_t Compress();
    // Decompresses a container from the input's current position and returns
    // the number of bytes produced, which must equal the stored size.
    int32_t Decompress();
    // True when the block method suits the input better. Inputs up to 98303
    // bytes get the LZH method (the method is set to 0); larger ones are
    // judged by two 32768-byte samples coded with the block method. The input
    // position is restored.
    bool Advise();

    // Compressed blocks read by the last block-method Decompress (0 for LZH).
    int BlocksRead() const { return m_blocksRead; }

private:
    class Texts;
    int32_t CompressStreams(TStream& in, TStream& out, const Texts& texts);
    int32_t DecompressStreams(TStream& in, TStream& out, const Texts& texts);
    using StreamsRun = int32_t (TCompressor::*)(TStream&, TStream&, const Texts&);
    // Runs one direction on the set streams or, in file mode, on the files
    // (the output replaced only when the run succeeded).
    int32_t Run(StreamsRun run);
    bool AdviseOn(TStream& in, const Texts& texts);

    std::string m_inputFile;
    std::string m_outputFile;
    int m_method = kMethodBlock;
    bool m_streamMode = false;
    TStream* m_inputStream = nullptr;
    TStream* m_outputStream = nullptr;
    int m_adviseThreshold = 40;
    int m_blocksRead = 0;
};

} // namespace quarno
