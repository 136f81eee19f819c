#include "core/toolchain/CommandLines.h"

#include <gtest/gtest.h>

using namespace quarno;
using Argv = std::vector<std::string>;

TEST(CommandLines, CompilerAndOrla) {
    EXPECT_EQ(CompilerArguments("/w/PROG.BAS"), "/w/PROG.BAS -m -q");
    EXPECT_EQ(CompilerArgv("/my files/PROG.BAS"), (Argv{"/my files/PROG.BAS", "-m", "-q"}));
    EXPECT_EQ(OrlaArguments("/w/PROG.HEX", "16F877"), "/w/PROG.HEX -dPIC16F877");
    // No compile result: nothing after "-dPIC", no default device.
    EXPECT_EQ(OrlaArguments("/w/PROG.HEX", ""), "/w/PROG.HEX -dPIC");
    EXPECT_EQ(OrlaArgv("/a b/P.HEX", ""), (Argv{"/a b/P.HEX", "-dPIC"}));
}

TEST(CommandLines, TemplateExpansion) {
    struct Case {
        std::string commandTemplate, device, text;
        Argv argv;
    };
    const std::string hex = "/work/PROG.HEX";
    const std::vector<Case> cases = {
        {"-p%PIC -f%FILENAME",
         "",
         "/work/PROG.HEX -p16F84 -fPROG.HEX",
         {hex, "-p16F84", "-fPROG.HEX"}},
        {"%full %Full", "16F877", "/work/PROG.HEX /work/PROG.HEX /work/PROG.HEX", {hex, hex, hex}},
        {"", "16F877", "/work/PROG.HEX ", {hex}},
        {"%pic%PIC", "12F675", "/work/PROG.HEX 12F67512F675", {hex, "12F67512F675"}},
        {"%FILENAMEX %FULLY",
         "",
         "/work/PROG.HEX PROG.HEXX /work/PROG.HEXY",
         {hex, "PROG.HEXX", "/work/PROG.HEXY"}},
        {"  -a   -b ", "", "/work/PROG.HEX   -a   -b ", {hex, "-a", "-b"}},
        {"-t \"two words\" \"\"",
         "",
         "/work/PROG.HEX -t \"two words\" \"\"",
         {hex, "-t", "two words", ""}},
        {"%PICTURE", "", "/work/PROG.HEX 16F84TURE", {hex, "16F84TURE"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TemplateArguments(c.commandTemplate, hex, c.device), c.text) << c.commandTemplate;
        EXPECT_EQ(TemplateArgv(c.commandTemplate, hex, c.device), c.argv) << c.commandTemplate;
    }
}

TEST(CommandLines, PathsWithBlanksStayOneArgument) {
    const std::string hex = "/home/me/my projects/PROG.HEX";
    EXPECT_EQ(TemplateArgv("-f%FULL -n %FILENAME", hex, "16F84"),
              (Argv{hex, "-f" + hex, "-n", "PROG.HEX"}));
}

TEST(CommandLines, AssemblerParameterStrings) {
    EXPECT_EQ(AssemblerArguments("C:/WORK/TEST.ASM", false),
              "C:/WORK/TEST.ASM /e+ /l+ /x- /w2 /c- /m- /q");
    EXPECT_EQ(AssemblerArguments("C:/WORK/TEST.ASM", true),
              "C:/WORK/TEST.ASM /aINHX8M /e+ /l+ /x- /w2 /c- /m- /q");
    EXPECT_EQ(AssemblerArguments("", false), " /e+ /l+ /x- /w2 /c- /m- /q");
    EXPECT_EQ(AssemblerArgv("/a b/T.ASM", true),
              (Argv{"/a b/T.ASM", "/aINHX8M", "/e+", "/l+", "/x-", "/w2", "/c-", "/m-", "/q"}));
}

// Inserted text is never scanned again: a folder or file name holding a
// placeholder reaches the program as it is.
TEST(CommandLines, PlaceholdersAreReplacedInOnePass) {
    const struct {
        const char* hexPath;
        const char* commandTemplate;
        const char* expected;
    } cases[] = {
        {"/tmp/my %PIC dir/a.HEX", "-d%PIC -f%FULL", "-d16F877 -f/tmp/my %PIC dir/a.HEX"},
        {"/x/%FULL.HEX", "%FILENAME %full", "%FULL.HEX /x/%FULL.HEX"},
        {"/x/a.HEX", "%%PIC%", "%16F877%"},
        {"/x/a.HEX", "%FILENAMES %FULLY %PICK", "a.HEXS /x/a.HEXY 16F877K"},
        {"/x/a.HEX", "%FIL %PI", "%FIL %PI"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandCommandTemplate(c.commandTemplate, c.hexPath, "16F877"), c.expected)
            << c.commandTemplate;
}
