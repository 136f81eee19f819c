// Both compressor methods against containers derived by hand from the
// format's description (tests/data/formats), so a fault shared by coder and
// decoder cannot hide behind a round trip.
#include "core/highlight/TCompressor.h"
#include "support/CompressorMemory.h"
#include "support/HexFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::ParseHexFixture;
using quarno::test::ReadHexFixture;
using quarno::test::RunCompressor;

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty()) text += ' ';
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

struct KnownContainer {
    const char* file;
    int method;
    const char* decodeOnly; // a further part only decoded, or nullptr
};

} // namespace

TEST(HexFixture, CommentsWhitespaceAndParts) {
    auto parts = ParseHexFixture("# heading\n0a 0B ; note\n  @text\n41#x\n4 2\n@empty\n");
    EXPECT_EQ(parts[""], std::string("\x0a\x0b", 2));
    EXPECT_EQ(parts["text"], "AB");
    EXPECT_EQ(parts["empty"], "");
    for (const char* bad : {"0g", "abc", "@\n", "@a\n@a\n", "41 \"A\""})
        EXPECT_THROW(ParseHexFixture(bad), std::runtime_error) << bad;
}

TEST(TCompressorKnownAnswers, DecodingAndCodingMatchTheHandDerivedContainers) {
    const KnownContainer cases[] = {
        {"formats/lzh_five_blanks.hex", TCompressor::kMethodLzh, nullptr},
        {"formats/lzh_one_letter.hex", TCompressor::kMethodLzh, nullptr},
        {"formats/lzh_sixty_blanks.hex", TCompressor::kMethodLzh, "far"},
        {"formats/block_back_reference.hex", TCompressor::kMethodBlock, nullptr},
        {"formats/block_run.hex", TCompressor::kMethodBlock, nullptr},
        {"formats/block_stored.hex", TCompressor::kMethodBlock, nullptr},
    };
    for (const KnownContainer& known : cases) {
        SCOPED_TRACE(known.file);
        auto parts = ReadHexFixture(known.file);
        const std::string& text = parts["text"];
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(Hex(RunCompressor(parts["container"], false, 0)), Hex(text)) << "decoding";
        EXPECT_EQ(Hex(RunCompressor(text, true, known.method)), Hex(parts["container"]))
            << "coding";
        if (known.decodeOnly) {
            EXPECT_EQ(Hex(RunCompressor(parts[known.decodeOnly], false, 0)), Hex(text))
                << known.decodeOnly;
        }
    }
}

TEST(TCompressorKnownAnswers, RingBufferBytesNeverWrittenReadAsZeros) {
    auto parts = ReadHexFixture("formats/lzh_ring_tail.hex");
    // Decoded twice, with other coding in between, so left-over memory would show.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Hex(RunCompressor(parts["stream"], false, 0)), Hex(parts["text"]));
        RunCompressor(std::string(5000, 'x'), true, TCompressor::kMethodLzh);
    }
}
