#include "core/base/TMemoryStream.h"
#include "core/highlight/TLexipadParser.h"
#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::RunProcess;
using quarno::test::TempDir;

namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

} // namespace

TEST(CompressCommand, BothMethodsRoundTripThroughFiles) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "PRINT AT 1," + std::to_string(i % 17) + ",\"Hello World\"\r";
    dir.Write("in.bas", text);
    for (const char* method : {"block", "lzh", "auto"}) {
        SCOPED_TRACE(method);
        auto packed = RunProcess(
            QUARNO_TOOL, {"compress", "--method", method, dir.File("in.bas"), dir.File("packed")});
        EXPECT_EQ(packed.status, 0) << packed.err;
        EXPECT_EQ(packed.out, "");
        std::string container = dir.Read("packed");
        EXPECT_EQ(container.substr(0, 4), std::string(method) == "block" ? "WRZL" : "!HZL");
        EXPECT_LT(container.size(), text.size() / 4);
        auto unpacked =
            RunProcess(QUARNO_TOOL, {"decompress", dir.File("packed"), dir.File("out.bas")});
        EXPECT_EQ(unpacked.status, 0) << unpacked.err;
        EXPECT_EQ(dir.Read("out.bas"), text);
    }
}

TEST(CompressCommand, FailuresExitWithOneAndLeaveNoOutput) {
    TempDir dir;
    dir.Write("bad", "WRZL\x10\x00\x00\x00\x05\x00\x40");
    auto result = RunProcess(QUARNO_TOOL, {"decompress", dir.File("bad"), dir.File("out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(FirstLine(result.err), "Compressor : Error reading from input file : " +
                                         dir.File("bad") + " (Compressor/KH)");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));

    result = RunProcess(QUARNO_TOOL, {"compress", dir.File("missing"), dir.File("out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(FirstLine(result.err),
              "Compressor (de)compression : Failed to open input file : " + dir.File("missing"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));

    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"compress", "--method", "zip", "a", "b"}).status, 2);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"decompress", "a"}).status, 2);
}

TEST(ParserCommand, InfoCountsTheTablesOfABlock) {
    TempDir dir;
    TLexipadParser parser("MCUBASIC");
    TLP_Language& language = parser.Language();
    language.Settings().SetLanguageName("MCUBASIC");
    language.Settings().SetStyle(3, {0, 0, 0xFFFFFF, 0, 0, 0, 1});
    language.Settings().SetStyle(5, {0, 255, 0xFFFFFF, 0, 0, 0, 1});
    language.Settings().SetTokenStyle(3, 3);
    language.Settings().AddEditableStyle("Identifier", 3);
    language.Keywords().Add("print", TLP_CharGroup{}, TByteSet{0}, 12);
    TLP_TokenRule identifier;
    identifier.start.hasHandler = true;
    identifier.start.handler = 10;
    identifier.token = 3;
    identifier.states = TByteSet{0};
    for (int c = 'A'; c <= 'Z'; ++c)
        language.SetTokenStart(static_cast<uint8_t>(c), identifier);
    language.SetContextStates(7, TByteSet{});
    TMemoryStream block;
    parser.WriteParserData(block);
    block.SaveToFile(dir.File("basic.blk"));

    auto result = RunProcess(QUARNO_TOOL, {"parser", "info", dir.File("basic.blk")});
    EXPECT_EQ(result.status, 0) << result.err;
    TMemoryStream inner;
    language.WriteInner(inner);
    EXPECT_EQ(result.out, "version: 51\n"
                          "inner_size: " +
                              std::to_string(inner.Size()) +
                              "\n"
                              "blocks: 1\n"
                              "language: MCUBASIC\n"
                              "keywords: 1\n"
                              "handlers: 0\n"
                              "token_starts: 26\n"
                              "context_states: 1\n"
                              "effects: 0\n"
                              "styles: 2\n"
                              "map_entries: 1\n"
                              "editable_styles: 1\n"
                              "key_commands: 48\n"
                              "key_pairs: 48\n");

    std::string old = block.Bytes();
    old[0] = 49;
    dir.Write("old.blk", old);
    result = RunProcess(QUARNO_TOOL, {"parser", "info", dir.File("old.blk")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(FirstLine(result.err),
              "Parser1: DFM file saved by different version of TLexipadParser.");

    result = RunProcess(QUARNO_TOOL, {"parser", "info", dir.File("none.blk")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(RunProcess(QUARNO_TOOL, {"parser", "frob"}).status, 2);
}

TEST(ParserCommand, CompileWritesABlockAndReportsScriptErrors) {
    TempDir dir;
    dir.Write("inc.txt", "%%map 1 6\r");
    dir.Write("lang.txt", "%%language name = 'TINY'\r"
                          "%%words 'rem' '[]' 1\r"
                          "#include <inc.txt>\r"
                          "%%effects 6 clNavy clWhite\r");
    auto result =
        RunProcess(QUARNO_TOOL, {"parser", "compile", dir.File("lang.txt"), dir.File("tiny.blk")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    result = RunProcess(QUARNO_TOOL, {"parser", "info", dir.File("tiny.blk")});
    EXPECT_NE(result.out.find("language: TINY\nkeywords: 1\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("styles: 1\nmap_entries: 1\n"), std::string::npos) << result.out;

    dir.Write("bad.txt", "%%language\r  name = 42\r");
    result =
        RunProcess(QUARNO_TOOL, {"parser", "compile", dir.File("bad.txt"), dir.File("bad.blk")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(FirstLine(result.err), "** ERROR near line 2, Column 10: String value expected");
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.blk")));
}
