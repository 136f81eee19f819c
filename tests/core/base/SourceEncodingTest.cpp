#include "core/base/SourceEncoding.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

using E = TSourceEncoding;

} // namespace

TEST(SourceEncoding, DetectionTakesUtf8OnlyWhenItIsValidAndGoesBeyondAscii) {
    struct Case {
        const char* name;
        std::string bytes;
        TSourceEncoding expected;
    };
    const Case cases[] = {
        {"empty", "", E::Ansi},
        {"ASCII", "PRINT 1\r\n", E::Ansi},
        {"ASCII with NUL", std::string("a\0b", 3), E::Ansi},
        {"Windows-1252 e-acute", "caf\xE9", E::Ansi},
        {"Windows-1252 euro", "\x80 5", E::Ansi},
        {"UTF-8 e-acute", "caf\xC3\xA9", E::Utf8},
        {"UTF-8 euro and quotes", "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D", E::Utf8},
        {"BOM and ASCII",
         "\xEF\xBB\xBF"
         "abc",
         E::Utf8Bom},
        {"BOM and e-acute",
         "\xEF\xBB\xBF"
         "\xC3\xA9",
         E::Utf8Bom},
        {"BOM later is a character", "a\xEF\xBB\xBF", E::Utf8ReadOnly},
        {"Greek alpha", "\xCE\xB1", E::Utf8ReadOnly},
        {"emoji", "\xF0\x9F\x98\x80", E::Utf8ReadOnly},
        {"C1 control U+0080", "\xC2\x80", E::Utf8ReadOnly},
        {"C1 control U+0081 (undefined slot)", "\xC2\x81", E::Utf8},
        {"overlong slash", "\xC0\xAF", E::Ansi},
        {"overlong three bytes", "\xE0\x80\xAF", E::Ansi},
        {"surrogate", "\xED\xA0\x80", E::Ansi},
        {"above U+10FFFF", "\xF4\x90\x80\x80", E::Ansi},
        {"truncated at the end", "ab\xC3", E::Ansi},
        {"stray continuation", "a\xA9", E::Ansi},
        {"binary", std::string("\x00\xFF\xFE\x01\x89PNG", 8), E::Ansi},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.name;
        // Fed a byte at a time, the decision is the same.
        TUtf8Scanner scanner;
        for (char byte : c.bytes)
            scanner.Feed(std::string_view(&byte, 1));
        EXPECT_EQ(scanner.Result(), c.expected) << c.name << ", byte by byte";
        // Amid long runs of ASCII, which are skipped a word at a time, too;
        // a byte-order mark is then a character like any other.
        std::string padded = std::string(19, 'x') + c.bytes + std::string(11, 'y');
        E amid = c.expected == E::Utf8Bom ? E::Utf8ReadOnly : c.expected;
        EXPECT_EQ(DetectEncoding(padded), amid) << c.name << ", amid ASCII";
    }
}

TEST(SourceEncoding, AByteOrderMarkCountsOnlyAtTheVeryStartWhateverThePieces) {
    const std::string ascii(21, 'a');
    const std::string bom = "\xEF\xBB\xBF";
    for (size_t piece : {size_t{1}, size_t{5}, size_t{8}, size_t{64}}) {
        auto feed = [piece](const std::string& bytes) {
            TUtf8Scanner scanner;
            for (size_t at = 0; at < bytes.size(); at += piece)
                scanner.Feed(std::string_view(bytes).substr(at, piece));
            return scanner.Result();
        };
        EXPECT_EQ(feed(bom + ascii + "\xC3\xA9" + ascii), E::Utf8Bom) << piece;
        EXPECT_EQ(feed(ascii + bom + ascii), E::Utf8ReadOnly) << piece;
        EXPECT_EQ(feed(ascii + "\xC3" + ascii), E::Ansi) << piece;
    }
}

TEST(SourceEncoding, EveryWindows1252ByteRoundTripsThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    for (bool bom : {false, true}) {
        std::string utf8 = AnsiToUtf8(all, bom);
        EXPECT_EQ(DetectEncoding(utf8), bom ? E::Utf8Bom : E::Utf8);
        EXPECT_EQ(Utf8ToAnsi(utf8), all);
        EXPECT_EQ(EncodeSource(Utf8ToAnsi(utf8), bom ? E::Utf8Bom : E::Utf8), utf8);
    }
    EXPECT_EQ(AnsiToUtf8("\x80\x93\xE9", false), "\xE2\x82\xAC\xE2\x80\x9C\xC3\xA9");
}

TEST(SourceEncoding, UnconvertedEncodingsWriteTheBytesAsTheyAre) {
    std::string bytes = "caf\xE9 \xCE\xB1";
    EXPECT_EQ(EncodeSource(bytes, E::Ansi), bytes);
    EXPECT_EQ(EncodeSource(bytes, E::Utf8ReadOnly), bytes);
    EXPECT_EQ(Utf8ToAnsi("\xCE\xB1="), "?=") << "a character without a byte";
}
