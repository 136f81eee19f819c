#include "core/app/TInstanceMessage.h"

#include <gtest/gtest.h>

using namespace quarno;
using State = TInstanceMessage::TState;
using Names = std::vector<std::string>;

namespace {

TInstanceMessage Read(const std::string& bytes) {
    TInstanceMessage message;
    message.Feed(bytes);
    return message;
}

} // namespace

TEST(TInstanceMessage, EncodedFilesReadBackAtEveryChunkBoundary) {
    const Names files{"/home/ann/blink.bas", "/w/my prog.bas", "/w/line\nbreak.inc"};
    const std::string bytes = TInstanceMessage::Encode(files);
    EXPECT_EQ(bytes.substr(0, 21), "QUARNOPLUSINSTANCE 3\n");
    for (size_t split = 0; split <= bytes.size(); ++split) {
        TInstanceMessage message;
        State first = message.Feed(std::string_view(bytes).substr(0, split));
        EXPECT_EQ(first, split == bytes.size() ? State::Complete : State::Incomplete) << split;
        EXPECT_EQ(message.Feed(std::string_view(bytes).substr(split)), State::Complete) << split;
        EXPECT_EQ(message.Files(), files) << split;
    }
}

TEST(TInstanceMessage, RequestsWithoutFilesOnlyBringTheWindowForward) {
    for (const std::string& bytes :
         {TInstanceMessage::Encode({}), std::string("QUARNOPLUSINSTANCE\n")}) {
        TInstanceMessage message = Read(bytes);
        EXPECT_EQ(message.State(), State::Complete) << bytes;
        EXPECT_TRUE(message.Files().empty());
    }
}

TEST(TInstanceMessage, MalformedOrOversizedMessagesAreRefused) {
    using namespace std::string_literals;
    const std::string longName = "/" + std::string(TInstanceMessage::kMaxNameBytes, 'x');
    struct Case {
        std::string bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"hello\n", "not a request of this program"},
        {"QUARNOPLUSINSTANCEX\n", "a malformed first line"},
        {"QUARNOPLUSINSTANCE \n", "a malformed first line"},
        {"QUARNOPLUSINSTANCE 1000\n", "a malformed first line"},
        {"QUARNOPLUSINSTANCE -1\n", "a malformed file count"},
        {"QUARNOPLUSINSTANCE 1x\n", "a malformed file count"},
        {"QUARNOPLUSINSTANCE 257\n", "too many files"},
        {std::string(200, 'x'), "the first line is too long"},
        {"QUARNOPLUSINSTANCE 1\nrelative.bas\0"s, "a file name that is not absolute"},
        {"QUARNOPLUSINSTANCE 2\n/a.bas\0\0"s, "a file name that is not absolute"},
        {"QUARNOPLUSINSTANCE 1\n" + longName, "a file name is too long"},
        {"QUARNOPLUSINSTANCE 1\n/a.bas\0/b.bas\0"s, "bytes after the end of the message"},
        {"QUARNOPLUSINSTANCE\nmore"s, "bytes after the end of the message"},
    };
    for (const Case& c : cases) {
        TInstanceMessage message = Read(c.bytes);
        EXPECT_EQ(message.State(), State::Refused) << c.bytes.substr(0, 40);
        EXPECT_EQ(message.Problem(), c.problem) << c.bytes.substr(0, 40);
        EXPECT_TRUE(message.Files().empty());
        // Refused stays refused, whatever follows.
        EXPECT_EQ(message.Feed(TInstanceMessage::Encode({"/a.bas"})), State::Refused);
    }
}

TEST(TInstanceMessage, TheLongestNameAndTheMostFilesAreAccepted) {
    const std::string longest = "/" + std::string(TInstanceMessage::kMaxNameBytes - 2, 'x');
    EXPECT_EQ(Read(TInstanceMessage::Encode({longest})).Files(), Names{longest});
    Names many(TInstanceMessage::kMaxFiles, "/a.bas");
    EXPECT_EQ(Read(TInstanceMessage::Encode(many)).Files().size(), TInstanceMessage::kMaxFiles);
}
