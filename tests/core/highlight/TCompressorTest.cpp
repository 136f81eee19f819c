#include "core/highlight/TCompressor.h"
#include "core/base/TMemoryStream.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TCompressorKH.h"
#include "core/highlight/TLzhCodec.h"
#include "support/CompressorMemory.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::RunCompressor;
using quarno::test::TempDir;

namespace {

std::string RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Text-like data: words from a small vocabulary, so both methods find matches.
std::string TextBytes(size_t size, uint32_t seed) {
    static const char* words[] = {"PRINT ", "GOSUB ", "PORTA.1 ", "Var1 = ", "\r",   "HIGH ",
                                  "LOW ",   "FOR ",   "NEXT ",    "' note ", "1234 "};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += words[random() % std::size(words)];
    text.resize(size);
    return text;
}

std::string Compress(const std::string& input, int method) {
    int32_t written = 0;
    std::string container = RunCompressor(input, true, method, &written);
    EXPECT_EQ(written, static_cast<int32_t>(container.size()));
    return container;
}

std::string Decompress(const std::string& container, int* blocks = nullptr) {
    int32_t produced = 0;
    std::string plain = RunCompressor(container, false, 0, &produced, blocks);
    EXPECT_EQ(produced, static_cast<int32_t>(plain.size()));
    return plain;
}

std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const ECompressorException& error) {
        return error.what();
    }
    return "(no exception)";
}

const std::string kBlockMismatch =
    "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
const std::string kLzhMismatch =
    "Compressor (LZH decompression) : Original and compressed sizes do not match !";

struct RoundTripCase {
    const char* name;
    std::string input;
};

std::vector<RoundTripCase> RoundTripCases() {
    return {
        {"empty", ""},
        {"one byte", "A"},
        {"two bytes", "AB"},
        {"short text", "PRINT AT 1,2,\"Hello World\"\r"},
        {"random 1000", RandomBytes(1000, 1)},
        {"random 32767", RandomBytes(32767, 2)},
        {"random 32768", RandomBytes(32768, 3)},
        {"random 32769", RandomBytes(32769, 4)},
        {"random 100000", RandomBytes(100000, 5)},
        {"text 32768", TextBytes(32768, 6)},
        {"text 216335", TextBytes(216335, 7)},
        {"run 15", std::string(15, 'x')},
        {"run 16", std::string(16, 'x')},
        {"run 4095", std::string(4095, 'x')},
        {"run 4096", std::string(4096, 'x')},
        {"run 4111", std::string(4111, 'x')},
        {"run 70000", std::string(70000, '\0')},
        {"runs across the block edge", std::string(32760, 'a') + std::string(40, 'b')},
        {"runs between text", TextBytes(5000, 8) + std::string(9000, ' ') + TextBytes(5000, 9)},
        {"all byte values",
         [] {
             std::string s;
             for (int round = 0; round < 40; ++round)
                 for (int c = 0; c < 256; ++c)
                     s += static_cast<char>((c * 7 + round) & 0xFF);
             return s;
         }()},
        {"skewed symbol frequencies",
         [] {
             // Fibonacci counts give a deep Huffman tree (codes longer than 16 bits).
             std::string s;
             uint32_t a = 1, b = 1;
             for (int symbol = 0; symbol < 21; ++symbol) {
                 for (uint32_t k = 0; k < a; ++k)
                     s += static_cast<char>(symbol * 11);
                 uint32_t next = a + b;
                 a = b;
                 b = next;
             }
             std::mt19937 random(10);
             std::shuffle(s.begin(), s.end(), random);
             return s;
         }()},
    };
}

} // namespace

TEST(TCompressor, BothMethodsRoundTrip) {
    for (const RoundTripCase& test : RoundTripCases()) {
        for (int method : {TCompressor::kMethodBlock, TCompressor::kMethodLzh}) {
            SCOPED_TRACE(std::string(test.name) + (method ? " block" : " lzh"));
            std::string container = Compress(test.input, method);
            const uint8_t* signature =
                method ? TCompressor::kBlockSignature : TCompressor::kLzhSignature;
            ASSERT_GE(container.size(), 8u);
            EXPECT_EQ(container.substr(0, 4), std::string(signature, signature + 4));
            EXPECT_EQ(Decompress(container), test.input);
        }
    }
}

TEST(TCompressor, BlockSequenceEndsAfterTheFirstShortBlock) {
    // Exactly 32768 bytes: one full block, then the block made from zero
    // bytes, which is the single byte 0x80.
    std::string input = RandomBytes(32768, 11);
    std::string container = Compress(input, TCompressor::kMethodBlock);
    ASSERT_EQ(container.size(), 8u + 2 + 32769 + 2 + 1);
    EXPECT_EQ(container.substr(4, 4), std::string("\x00\x80\x00\x00", 4));
    EXPECT_EQ(container.substr(8, 3), std::string("\x01\x80\x80", 3)) << "stored block";
    EXPECT_EQ(container.substr(8 + 2 + 32769), std::string("\x01\x00\x80", 3));
    int blocks = 0;
    EXPECT_EQ(Decompress(container, &blocks), input);
    EXPECT_EQ(blocks, 2);

    EXPECT_EQ(Compress("", TCompressor::kMethodBlock),
              std::string("WRZL\x00\x00\x00\x00\x01\x00\x80", 11));
    EXPECT_EQ(Compress("", TCompressor::kMethodLzh), std::string("!HZL\x00\x00\x00\x00", 8));
}

TEST(TCompressor, RunsAreCutAt4095AndCodedBigEndian) {
    uint8_t out[TCompressorKH::kOutputRoom];
    std::string input(5000, 'A');
    TCompressorKH coder;
    int length = coder.CompressBlock(reinterpret_cast<const uint8_t*>(input.data()), 5000, out);
    // Two run items (4095 and 905 bytes) under the command word 0xC000.
    std::string expected("\x40\xC0\x00\x00\x0F\xEF\x41\x00\x03\x79\x41", 11);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), length), expected);
}

TEST(TCompressor, DecodesLiteralsBackReferencesAndRunsOfAHandMadeBlock) {
    // Command word 0x3000: two literals, a back-reference (distance 2,
    // length 6, overlapping its own output), a run of 16 + 2 'z'.
    const uint8_t block[] = {0x40, 0x30, 0x00, 'a', 'b', 0x00, 0x23, 0x00, 0x00, 0x02, 'z'};
    uint8_t out[64];
    int n = TCompressorKH::DecompressBlock(block, sizeof block, out, sizeof out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), std::max(n, 0)),
              "abababab" + std::string(18, 'z'));
}

TEST(TCompressor, MalformedBlocksAreRejectedWithoutLeavingTheirBuffers) {
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        int capacity;
    };
    const Case cases[] = {
        {"reference before the output", {0x40, 0x80, 0x00, 0x00, 0x13}, 64},
        {"reference cut off", {0x40, 0x40, 0x00, 'a', 0x00}, 64},
        {"run cut off", {0x40, 0x80, 0x00, 0x00, 0x00, 0x01}, 64},
        {"run beyond capacity", {0x40, 0x80, 0x00, 0x00, 0x0F, 0xFF, 'q'}, 4096},
        {"stored beyond capacity", {0x80, 1, 2, 3, 4, 5}, 4},
        {"half a command word",
         {0x40, 0x00, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g',
          'h',  'i',  'j',  'k', 'l', 'm', 'n', 'o', 'p', 0x00},
         64},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<uint8_t> out(test.capacity);
        EXPECT_EQ(TCompressorKH::DecompressBlock(test.block.data(),
                                                 static_cast<int>(test.block.size()), out.data(),
                                                 test.capacity),
                  -1);
    }
    uint8_t out[4];
    EXPECT_EQ(TCompressorKH::DecompressBlock(nullptr, 0, out, 4), 0) << "an empty block";
}

TEST(TCompressor, EveryTruncationGivesACompressorMessage) {
    std::string input = TextBytes(40000, 12);
    for (int method : {TCompressor::kMethodBlock, TCompressor::kMethodLzh}) {
        std::string container = Compress(input, method);
        for (size_t cut = 0; cut < container.size(); cut += (cut < 64 ? 1 : 97)) {
            SCOPED_TRACE(cut);
            std::string message = Message([&] { Decompress(container.substr(0, cut)); });
            EXPECT_TRUE(message.rfind("Compressor", 0) == 0) << message;
        }
    }
}

TEST(TCompressor, CorruptedContainersGiveMessagesNeverCrashes) {
    std::mt19937 random(13);
    for (int method : {TCompressor::kMethodBlock, TCompressor::kMethodLzh}) {
        std::string container = Compress(TextBytes(70000, 14), method);
        for (int round = 0; round < 300; ++round) {
            std::string broken = container;
            for (int flips = 1 + random() % 4; flips > 0; --flips)
                broken[8 + random() % (broken.size() - 8)] ^= static_cast<char>(1 + random() % 255);
            try {
                std::string output = Decompress(broken);
                EXPECT_EQ(output.size(), 70000u) << "success only with the stored size";
            } catch (const ECompressorException& error) {
                EXPECT_TRUE(std::string(error.what()).rfind("Compressor", 0) == 0);
            }
        }
    }
}

TEST(TCompressor, HeaderAndSizeFaults) {
    EXPECT_EQ(Message([] { Decompress("WRZ"); }),
              "Compressor decompression : input stream contains no valid header !");
    EXPECT_EQ(Message([] { Decompress("PK\x03\x04 and more"); }),
              "Compressor decompression : input stream contains no valid header !");
    std::string block = Compress("hello hello hello", TCompressor::kMethodBlock);
    block[4] = 18; // one byte more than stored
    EXPECT_EQ(Message([&] { Decompress(block); }), kBlockMismatch);
    block[4] = 16;
    EXPECT_EQ(Message([&] { Decompress(block); }), kBlockMismatch);
    std::string lzh = Compress("hello hello hello", TCompressor::kMethodLzh);
    lzh[4] = 16;
    EXPECT_EQ(Message([&] { Decompress(lzh); }), kLzhMismatch) << "the last match overshoots";
    lzh[4] = 100;
    EXPECT_EQ(Message([&] { Decompress(lzh); }),
              "Compressor : Error reading from input stream ! (LZH)");
    EXPECT_EQ(Message([] { Decompress(std::string("WRZL\x05\x00\x00\x00\x06\x00\x80", 11)); }),
              "Compressor : Error reading from input stream ! (Compressor/KH)");
}

TEST(TCompressor, StreamModeWorksFromTheCurrentPositions) {
    TMemoryStream in(std::string("skip") + "payload payload payload");
    in.SetPosition(4);
    TMemoryStream out(std::string("head"));
    out.SetPosition(4);
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&out);
    int32_t written = compressor.Compress();
    EXPECT_EQ(out.Bytes().substr(0, 4), "head");
    EXPECT_EQ(static_cast<size_t>(written), out.Bytes().size() - 4);
    EXPECT_EQ(Decompress(out.Bytes().substr(4)), "payload payload payload");

    TCompressor unset;
    unset.SetStreamMode(true);
    EXPECT_EQ(Message([&] { unset.Compress(); }),
              "Compressor (de)compression : Failed to initialize input stream !");
}

TEST(TCompressor, FileModeNamesTheFilesAndLeavesNoOutputOnFailure) {
    TempDir dir;
    std::string text = TextBytes(50000, 15);
    dir.Write("in.bas", text);
    TCompressor compressor;
    compressor.SetInputFile(dir.File("in.bas"));
    compressor.SetOutputFile(dir.File("in.lzh"));
    compressor.SetMethod(TCompressor::kMethodLzh);
    int32_t written = compressor.Compress();
    EXPECT_EQ(written, static_cast<int32_t>(dir.Read("in.lzh").size()));
    compressor.SetInputFile(dir.File("in.lzh"));
    compressor.SetOutputFile(dir.File("out.bas"));
    EXPECT_EQ(compressor.Decompress(), 50000);
    EXPECT_EQ(dir.Read("out.bas"), text);

    dir.Write("bad.bin", "not a container");
    compressor.SetInputFile(dir.File("bad.bin"));
    compressor.SetOutputFile(dir.File("bad.out"));
    EXPECT_EQ(Message([&] { compressor.Decompress(); }),
              dir.File("bad.bin") +
                  " : Compressor decompression : this file has no valid header !");
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.out")));

    std::string lzh = dir.Read("in.lzh");
    dir.Write("cut.lzh", lzh.substr(0, lzh.size() / 2));
    compressor.SetInputFile(dir.File("cut.lzh"));
    EXPECT_EQ(Message([&] { compressor.Decompress(); }),
              "Compressor : Error reading from input file : " + dir.File("cut.lzh") + " (LZH)");
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.out")));

    compressor.SetInputFile(dir.File("missing.bas"));
    EXPECT_EQ(Message([&] { compressor.Compress(); }),
              "Compressor (de)compression : Failed to open input file : " +
                  dir.File("missing.bas"));
    compressor.SetInputFile(dir.File("in.bas"));
    compressor.SetOutputFile(dir.File("no/such/folder/x"));
    EXPECT_EQ(Message([&] { compressor.Compress(); }),
              "Compressor (de)compression : Failed to open output file : " +
                  dir.File("no/such/folder/x"));
}

TEST(TCompressor, AdviseChoosesByInputSizeAndSampleRatio) {
    struct Case {
        const char* name;
        std::string input;
        bool block;
    };
    const Case cases[] = {
        {"98303 bytes always LZH", std::string(98303, 'a'), false},
        {"98304 compressible bytes", std::string(98304, 'a'), true},
        {"large text", TextBytes(300000, 16), true},
        {"large random", RandomBytes(300000, 17), false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TMemoryStream in("xx" + test.input);
        in.SetPosition(2);
        TCompressor compressor;
        compressor.SetStreamMode(true);
        compressor.SetInputStream(&in);
        compressor.SetMethod(TCompressor::kMethodAdvise);
        EXPECT_EQ(compressor.Advise(), test.block);
        EXPECT_EQ(in.Position(), 2);
        EXPECT_EQ(compressor.Method(),
                  test.input.size() < 98304 ? TCompressor::kMethodLzh : TCompressor::kMethodAdvise);

        TMemoryStream out;
        compressor.SetMethod(TCompressor::kMethodAdvise);
        compressor.SetOutputStream(&out);
        compressor.Compress();
        const uint8_t* expected =
            test.block ? TCompressor::kBlockSignature : TCompressor::kLzhSignature;
        EXPECT_EQ(out.Bytes().substr(0, 4), std::string(expected, expected + 4));
        EXPECT_EQ(compressor.Method(), TCompressor::kMethodAdvise);
    }
}

TEST(TLzhCodec, PositionTablesFormACompletePrefixCode) {
    const auto& lengths = TLzhCodec::PositionLengths();
    const auto& codes = TLzhCodec::PositionCodes();
    double kraft = 0;
    for (int value = 0; value < 64; ++value) {
        kraft += 1.0 / (1 << lengths[value]);
        if (value > 0) {
            EXPECT_LT(codes[value - 1], codes[value]);
        }
        EXPECT_EQ(codes[value] & ((1 << (8 - lengths[value])) - 1), 0) << value;
    }
    EXPECT_DOUBLE_EQ(kraft, 1.0);
    // Spot checks against the published decoding tables.
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0x1F], 0);
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0x20], 1);
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0x50], 4);
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0x90], 12);
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0xC0], 24);
    EXPECT_EQ(TLzhCodec::DecodeCodes()[0xFF], 63);
    EXPECT_EQ(TLzhCodec::DecodeLengths()[0x00], 3);
    EXPECT_EQ(TLzhCodec::DecodeLengths()[0x4F], 4);
    EXPECT_EQ(TLzhCodec::DecodeLengths()[0xEF], 7);
    EXPECT_EQ(TLzhCodec::DecodeLengths()[0xF0], 8);
}
