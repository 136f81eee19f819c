// The compressor front end: container header, the two methods, Advise, and
// the messages of stream and file mode.
#include "core/highlight/TCompressor.h"

#include "core/base/TFileStream.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TCodecIO.h"
#include "core/highlight/TCompressorKH.h"
#include "core/highlight/TLzhCodec.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace quarno {

namespace {
const char* const kMemoryText =
    "Compressor (de)compression : Failed to get memory for I/O buffers !";
} // namespace

// The messages of one run; file mode names the files.
class TCompressor::Texts {
public:
    Texts(bool fileMode, std::string input, std::string output)
        : m_file(fileMode), m_in(std::move(input)), m_out(std::move(output)) {}

    std::string Write() const {
        return m_file ? "Compressor : Error writing to output file : " + m_out
                      : "Compressor : Error writing to output stream !";
    }
    std::string Read() const {
        return m_file ? "Compressor : Error reading from input file : " + m_in
                      : "Compressor : Error reading from input stream !";
    }
    std::string ReadLzh() const { return Read() + " (LZH)"; }
    std::string ReadBlock() const { return Read() + " (Compressor/KH)"; }
    std::string Size() const {
        return m_file ? "Compressor compression : Failed to obtain the size of : " + m_in
                      : "Compressor compression : Failed to obtain the size of the input stream !";
    }
    static std::string Memory() { return kMemoryText; }
    static std::string InitInput() {
        return "Compressor (de)compression : Failed to initialize input stream !";
    }
    static std::string InitOutput() {
        return "Compressor (de)compression : Failed to initialize output stream !";
    }
    std::string NoHeader() const {
        return m_file ? m_in + " : Compressor decompression : this file has no valid header !"
                      : "Compressor decompression : input stream contains no valid header !";
    }
    static std::string BlockMismatch() {
        return "Compressor (decompression Compressor/KH) : Original and compressed sizes do not "
               "match !";
    }
    static std::string LzhMismatch() {
        return "Compressor (LZH decompression) : Original and compressed sizes do not match !";
    }
    static std::string AdviseMemory() { return "Compressor advise : Error getting I/O buffers"; }
    std::string AdviseSize() const {
        return m_file ? "Compressor advise : can not get the size of : " + m_in
                      : "Compressor advise : can not get size of inputstream !";
    }
    static std::string AdviseInit() {
        return "Compressor edvise : can not initialize the input stream!";
    }
    std::string AdviseRead() const {
        return m_file ? "Compressor advise : read error on input file : " + m_in
                      : "Compressor advise : input stream read error !";
    }

private:
    bool m_file;
    std::string m_in;
    std::string m_out;
};

namespace {

// Input limited to the bytes being compressed (a short read is a read
// failure), or unlimited for decompression; output checked for short writes.
class StreamIO : public TCodecIO {
public:
    StreamIO(TStream& in, TStream& out, int64_t limit, std::string readError,
             std::string writeError)
        : m_in(in), m_out(out), m_remaining(limit), m_readError(std::move(readError)),
          m_writeError(std::move(writeError)) {}

    int64_t ReadSome(uint8_t* buffer, int64_t count) override {
        if (m_remaining >= 0) count = std::min(count, m_remaining);
        if (count <= 0) return 0;
        int64_t got = m_in.Read(buffer, count);
        if (m_remaining >= 0) {
            if (got != count) throw ECompressorException(m_readError);
            m_remaining -= got;
        }
        return std::max<int64_t>(got, 0);
    }
    void WriteAll(const uint8_t* data, int64_t count) override {
        if (count > 0 && m_out.Write(data, count) != count)
            throw ECompressorException(m_writeError);
        m_written += count;
    }
    int64_t Written() const { return m_written; }

private:
    TStream& m_in;
    TStream& m_out;
    int64_t m_remaining;
    std::string m_readError;
    std::string m_writeError;
    int64_t m_written = 0;
};

// Reads until count bytes or the end of the stream; returns the bytes read.
int64_t ReadFull(TStream& in, uint8_t* buffer, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        int64_t got = in.Read(buffer + done, count - done);
        if (got <= 0) break;
        done += got;
    }
    return done;
}

std::unique_ptr<uint8_t[]> Buffer(size_t size, const std::string& failure) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
    if (!buffer) throw ECompressorException(failure);
    return buffer;
}

void PutHeader(StreamIO& io, const uint8_t* signature, int32_t size) {
    uint8_t header[8];
    std::memcpy(header, signature, 4);
    auto value = static_cast<uint32_t>(size);
    for (int i = 0; i < 4; ++i)
        header[4 + i] = static_cast<uint8_t>(value >> (8 * i));
    io.WriteAll(header, 8);
}

void CompressBlocks(StreamIO& io) {
    TCompressorKH coder;
    auto input = Buffer(TCompressorKH::kBlockSize, kMemoryText);
    auto coded = Buffer(TCompressorKH::kOutputRoom + 2, kMemoryText);
    for (;;) {
        int got = 0;
        while (got < TCompressorKH::kBlockSize) {
            int64_t piece = io.ReadSome(input.get() + got, TCompressorKH::kBlockSize - got);
            if (piece <= 0) break;
            got += static_cast<int>(piece);
        }
        int length = coder.CompressBlock(input.get(), got, coded.get() + 2);
        coded[0] = static_cast<uint8_t>(length);
        coded[1] = static_cast<uint8_t>(length >> 8);
        io.WriteAll(coded.get(), length + 2);
        if (got < TCompressorKH::kBlockSize) break;
    }
}

std::unique_ptr<TFileStream> OpenInputFile(const std::string& name) {
    try {
        return std::make_unique<TFileStream>(name);
    } catch (const EStreamError&) {
        throw ECompressorException("Compressor (de)compression : Failed to open input file : " +
                                   name);
    }
}

std::unique_ptr<TSafeFileStream> OpenOutputFile(const std::string& name) {
    try {
        return std::make_unique<TSafeFileStream>(name);
    } catch (const EStreamError&) {
        throw ECompressorException("Compressor (de)compression : Failed to open output file : " +
                                   name);
    }
}

} // namespace

int32_t TCompressor::Compress() {
    return Run(&TCompressor::CompressStreams);
}

int32_t TCompressor::Run(StreamsRun run) {
    if (m_streamMode) {
        if (!m_inputStream) throw ECompressorException(Texts::InitInput());
        if (!m_outputStream) throw ECompressorException(Texts::InitOutput());
        return (this->*run)(*m_inputStream, *m_outputStream, Texts(false, "", ""));
    }
    Texts texts(true, m_inputFile, m_outputFile);
    std::unique_ptr<TFileStream> in = OpenInputFile(m_inputFile);
    std::unique_ptr<TSafeFileStream> out = OpenOutputFile(m_outputFile);
    int32_t written = 0;
    try {
        written = (this->*run)(*in, *out, texts);
        out->Commit();
    } catch (const EFCreateError&) { // the output refused (a full disk) or not renamed
        throw ECompressorException(texts.Write());
    }
    return written;
}

int32_t TCompressor::CompressStreams(TStream& in, TStream& out, const Texts& texts) {
    int64_t start = in.Position();
    if (start < 0) throw ECompressorException(Texts::InitInput());
    if (out.Position() < 0) throw ECompressorException(Texts::InitOutput());
    int64_t size = in.Size();
    if (size < 0 || size - start > INT32_MAX) throw ECompressorException(texts.Size());
    int64_t total = std::max<int64_t>(size - start, 0);
    int method = m_method;
    if (method == kMethodAdvise) {
        method = AdviseOn(in, texts) ? kMethodBlock : kMethodLzh;
        m_method = kMethodAdvise; // each Compress decides afresh
    }
    if (method == kMethodLzh) {
        StreamIO io(in, out, total, texts.ReadLzh(), texts.Write());
        PutHeader(io, kLzhSignature, static_cast<int32_t>(total));
        TLzhCodec coder;
        coder.Encode(io);
        return static_cast<int32_t>(std::min<int64_t>(io.Written(), INT32_MAX));
    }
    StreamIO io(in, out, total, texts.ReadBlock(), texts.Write());
    PutHeader(io, kBlockSignature, static_cast<int32_t>(total));
    CompressBlocks(io);
    return static_cast<int32_t>(std::min<int64_t>(io.Written(), INT32_MAX));
}

int32_t TCompressor::Decompress() {
    m_blocksRead = 0;
    return Run(&TCompressor::DecompressStreams);
}

int32_t TCompressor::DecompressStreams(TStream& in, TStream& out, const Texts& texts) {
    if (in.Position() < 0) throw ECompressorException(Texts::InitInput());
    if (out.Position() < 0) throw ECompressorException(Texts::InitOutput());
    uint8_t header[8];
    if (ReadFull(in, header, 4) != 4) throw ECompressorException(texts.NoHeader());
    bool block = std::memcmp(header, kBlockSignature, 4) == 0;
    if (!block && std::memcmp(header, kLzhSignature, 4) != 0)
        throw ECompressorException(texts.NoHeader());
    if (ReadFull(in, header + 4, 4) != 4)
        throw ECompressorException(block ? texts.ReadBlock() : texts.ReadLzh());
    int32_t size = static_cast<int32_t>(header[4] | (header[5] << 8) | (header[6] << 16) |
                                        (static_cast<uint32_t>(header[7]) << 24));
    if (!block) {
        if (size < 0) throw ECompressorException(Texts::LzhMismatch());
        StreamIO io(in, out, -1, texts.ReadLzh(), texts.Write());
        TLzhCodec decoder;
        int64_t produced = 0;
        try {
            produced = decoder.Decode(io, size);
        } catch (const ECodecFault&) {
            throw ECompressorException(texts.ReadLzh());
        }
        if (produced != size) throw ECompressorException(Texts::LzhMismatch());
        return size;
    }
    if (size < 0) throw ECompressorException(Texts::BlockMismatch());
    auto coded = Buffer(0x10000, Texts::Memory());
    auto plain = Buffer(TCompressorKH::kBlockSize, Texts::Memory());
    StreamIO io(in, out, -1, texts.ReadBlock(), texts.Write());
    int64_t produced = 0;
    for (;;) {
        uint8_t lengthBytes[2];
        if (ReadFull(in, lengthBytes, 2) != 2) throw ECompressorException(texts.ReadBlock());
        int length = lengthBytes[0] | (lengthBytes[1] << 8);
        if (ReadFull(in, coded.get(), length) != length)
            throw ECompressorException(texts.ReadBlock());
        int n = TCompressorKH::DecompressBlock(coded.get(), length, plain.get(),
                                               TCompressorKH::kBlockSize);
        ++m_blocksRead;
        if (n < 0 || produced + n > size) throw ECompressorException(Texts::BlockMismatch());
        io.WriteAll(plain.get(), n);
        produced += n;
        if (n < TCompressorKH::kBlockSize) break;
    }
    if (produced != size) throw ECompressorException(Texts::BlockMismatch());
    return size;
}

bool TCompressor::Advise() {
    if (m_streamMode) {
        if (!m_inputStream) throw ECompressorException(Texts::AdviseInit());
        return AdviseOn(*m_inputStream, Texts(false, "", ""));
    }
    std::unique_ptr<TFileStream> in;
    try {
        in = std::make_unique<TFileStream>(m_inputFile);
    } catch (const EStreamError&) {
        throw ECompressorException("Compressor advise : can open input file : " + m_inputFile);
    }
    return AdviseOn(*in, Texts(true, m_inputFile, m_outputFile));
}

bool TCompressor::AdviseOn(TStream& in, const Texts& texts) {
    constexpr int64_t kSmallest = 98304;
    constexpr int kSample = TCompressorKH::kBlockSize;
    int64_t start = in.Position();
    if (start < 0) throw ECompressorException(Texts::AdviseInit());
    int64_t size = in.Size();
    if (size < 0) throw ECompressorException(texts.AdviseSize());
    int64_t s = size - start;
    if (s < kSmallest) {
        m_method = kMethodLzh;
        return false;
    }
    auto sample = Buffer(kSample, Texts::AdviseMemory());
    auto coded = Buffer(TCompressorKH::kOutputRoom, Texts::AdviseMemory());
    TCompressorKH coder;
    int64_t codedTotal = 0;
    int64_t readTotal = 0;
    try {
        for (int64_t offset : {s / 3 / kSample * kSample, 2 * s / 3 / kSample * kSample}) {
            if (in.Seek(start + offset, TSeekOrigin::soBeginning) != start + offset)
                throw ECompressorException(Texts::AdviseInit());
            if (ReadFull(in, sample.get(), kSample) != kSample)
                throw ECompressorException(texts.AdviseRead());
            codedTotal += coder.CompressBlock(sample.get(), kSample, coded.get());
            readTotal += kSample;
        }
    } catch (...) {
        in.SetPosition(start);
        throw;
    }
    in.SetPosition(start);
    return codedTotal < readTotal * m_adviseThreshold / 100;
}

} // namespace quarno
