// Normalisation against a byte-at-a-time model, on text where control
// characters, TABs and line breaks fall at every place within the eight-byte
// words the fast path reads, and cut into chunks at every size.
#include "core/document/TextNormalization.h"

#include <gtest/gtest.h>

#include <random>

using namespace quarno;

namespace {

std::string Model(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < text.size() && text[i + 1] == partner) ++i;
            out += '\r';
        } else {
            out += static_cast<unsigned char>(c) < 32 && c != '\t' ? '.' : c;
        }
    }
    return out;
}

// Mostly plain bytes (high ones too), with the rarer kinds mixed in.
std::string RandomText(std::mt19937& random, size_t size) {
    const std::string rare = std::string("\r\n\t\x01\x1f\0\x7f\x80\xff ", 11);
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        unsigned roll = random() % 16;
        text += roll < 2 ? rare[random() % rare.size()] : static_cast<char>(32 + random() % 224);
    }
    return text;
}

std::string Chunked(std::string_view text, size_t limit) {
    std::string out;
    for (size_t used = 0; used < text.size();)
        used += NormalizeChunk(text.substr(used), limit, out);
    return out;
}

} // namespace

TEST(TextNormalization, AgreesWithAByteAtATimeModelWholeAndInChunks) {
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::string text = RandomText(random, random() % 70);
        const std::string expected = Model(text);
        ASSERT_EQ(NormalizeText(text), expected) << round;
        for (size_t limit : {size_t{1}, size_t{2}, size_t{7}, size_t{8}, size_t{9}})
            ASSERT_EQ(Chunked(text, limit), expected) << round << " in chunks of " << limit;
    }
}

TEST(TextNormalization, EachControlCharacterIsFoundAtEachPlaceOfAWord) {
    for (int code = 0; code < 32; ++code)
        for (size_t at = 0; at < 24; ++at) {
            std::string text(24, 'a');
            text[at] = static_cast<char>(code);
            ASSERT_EQ(NormalizeText(text), Model(text)) << code << " at " << at;
        }
    EXPECT_EQ(NormalizeText("abc\tdefgh\x02ijklmnopq\r\nr"), "abc\tdefgh.ijklmnopq\rr");
}
