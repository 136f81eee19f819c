#include "core/base/TProfileFile.h"
#include "core/base/Exceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quarno;
using quarno::test::TempDir;

TEST(TProfileFile, MissingFileSectionOrKeyReadsAsDefault) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadString("PROGRAMMER", "TYPE", "ORLA"), "ORLA");
    EXPECT_EQ(ini.ReadInteger("CODE", "HEX_WIDTH", 0), 0);
    dir.Write("KBX.INI", "[PROGRAMMER]\r\nTYPE=OTHER\r\n");
    EXPECT_EQ(ini.ReadString("BOOTLOADER", "TYPE", "STANDARD"), "STANDARD");
    EXPECT_EQ(ini.ReadString("PROGRAMMER", "NAME", "x"), "x");
}

TEST(TProfileFile, NamesMatchWithoutRegardToCaseButValuesKeepTheirs) {
    TempDir dir;
    dir.Write("KBX.INI", "[Programmer]\r\n Type = orla \r\n");
    TProfileFile ini(dir.File("KBX.INI"));
    EXPECT_EQ(ini.ReadString("PROGRAMMER", "TYPE", ""), "orla");
    EXPECT_EQ(ini.ReadString("programmer", "type", ""), "orla");
}

TEST(TProfileFile, EmptyValueReadsEmptyNotDefault) {
    TempDir dir;
    dir.Write("KBX.INI", "[PROGRAMMER]\nTYPE=\n");
    EXPECT_EQ(TProfileFile(dir.File("KBX.INI")).ReadString("PROGRAMMER", "TYPE", "ORLA"), "");
}

TEST(TProfileFile, QuotesAndCommentsAndLaterSections) {
    TempDir dir;
    dir.Write("a.ini", "; comment=1\n[S]\nA=\"quoted value\"\n[T]\nB=2\n");
    TProfileFile ini(dir.File("a.ini"));
    EXPECT_EQ(ini.ReadString("S", "A", ""), "quoted value");
    EXPECT_EQ(ini.ReadString("S", "B", "none"), "none"); // B belongs to [T]
    EXPECT_EQ(ini.ReadString("", "; comment", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("T", "B", 0), 2);
}

TEST(TProfileFile, IntegersAreDecimalAndJunkGivesTheDefault) {
    TempDir dir;
    TProfileFile ini(dir.File("a.ini"));
    ini.WriteInteger("CODE", "HEX_LEFT", -120);
    ini.WriteString("CODE", "HEX_TOP", "12px");
    EXPECT_EQ(ini.ReadString("CODE", "HEX_LEFT", ""), "-120");
    EXPECT_EQ(ini.ReadInteger("CODE", "HEX_LEFT", 0), -120);
    EXPECT_EQ(ini.ReadInteger("CODE", "HEX_TOP", 7), 7);
}

TEST(TProfileFile, WritesCreateUpdateAndInsertInPlace) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    ini.WriteString("PROGRAMMER", "TYPE", "ORLA");
    EXPECT_EQ(dir.Read("KBX.INI"), "[PROGRAMMER]\r\nTYPE=ORLA\r\n");
    ini.WriteString("BOOTLOADER", "TYPE", "STANDARD");
    ini.WriteString("programmer", "NAME", "Mine");
    ini.WriteString("Programmer", "type", "OTHER");
    EXPECT_EQ(dir.Read("KBX.INI"), "[PROGRAMMER]\r\nTYPE=OTHER\r\nNAME=Mine\r\n\r\n"
                                   "[BOOTLOADER]\r\nTYPE=STANDARD\r\n");
}

TEST(TProfileFile, OutsideEditsAreSeenAtTheNextRead) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    ini.WriteString("EXT_PROG", "NAME", "First");
    dir.Write("KBX.INI", "[EXT_PROG]\r\nNAME=Second\r\n");
    EXPECT_EQ(ini.ReadString("EXT_PROG", "NAME", ""), "Second");
}

TEST(TProfileFile, WriteIntoAMissingFolderRaises) {
    TempDir dir;
    TProfileFile ini(dir.File("missing/KBX.INI"));
    EXPECT_THROW(ini.WriteString("A", "B", "2"), EFCreateError);
}

TEST(TProfileFile, EntriesListWhatReadsReachInFileOrder) {
    TempDir dir;
    dir.Write("KBX.INI", "; comment\r\n[A]\r\nx=1\r\nX=2\r\n\r\n[b]\r\ny = \"q\" \r\nempty=\r\n"
                         "[a]\r\nz=3\r\n");
    TProfileFile ini(dir.File("KBX.INI"));
    std::vector<TProfileEntry> entries = ini.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].section + "/" + entries[0].key + "=" + entries[0].value, "A/x=1");
    EXPECT_EQ(entries[1].section + "/" + entries[1].key + "=" + entries[1].value, "b/y=\"q\"");
    EXPECT_EQ(entries[2].section + "/" + entries[2].key + "=" + entries[2].value, "b/empty=");
    EXPECT_TRUE(ini.HasKey("B", "EMPTY"));
    EXPECT_FALSE(ini.HasKey("A", "z")) << "a repeated section is not read";
    EXPECT_FALSE(ini.HasKey("C", "x"));
    EXPECT_TRUE(TProfileFile(dir.File("none.ini")).Entries().empty());
}

// What is written reads back as written, or is refused before anything is
// written: a line break would add lines (a value could add keys or
// sections), and a "=" in a key name would split it.
TEST(TProfileFile, NamesAndValuesReadBackOrAreRefused) {
    TempDir dir;
    TProfileFile ini(dir.File("KBX.INI"));
    ini.WriteString("EXT_PROG", "NAME", "Mine");
    const std::string before = dir.Read("KBX.INI");
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* message;
    } refused[] = {
        {"EXT_PROG", "CMD_LINE", "%FULL\n[PROGRAMMER]\nTYPE=OTHER",
         "A profile value cannot hold a line break"},
        {"EXT_PROG", "CMD_LINE", "a\rb", "A profile value cannot hold a line break"},
        {"A\nB", "K", "v", "A profile section name cannot hold a line break"},
        {"A", "K\r\n", "v", "A profile key name cannot hold a line break"},
        {"A", "K=L", "v", "A profile key name cannot hold \"=\""},
        // "[K=v]" would read back as a section, ";K=v" as a comment.
        {"A", "[K", "v]", "A profile key name cannot start with \"[\""},
        {"A", " ;K", "v", "A profile key name cannot start with \";\""},
    };
    for (const auto& c : refused) {
        try {
            ini.WriteString(c.section, c.key, c.value);
            ADD_FAILURE() << c.message;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(dir.Read("KBX.INI"), before) << c.message;
    }
    ini.WriteString("a]b", "KEY", "in a]b");
    ini.WriteString("a", "KEY", "in a");
    EXPECT_EQ(ini.ReadString("a]b", "KEY", ""), "in a]b");
    EXPECT_EQ(ini.ReadString("a", "KEY", ""), "in a");
    dir.Write("KBX.INI", "[S] ; a note\r\nK=1\r\n");
    EXPECT_EQ(ini.ReadString("S", "K", ""), "1") << "text after the bracket is no part of the name";
}

TEST(TProfileFile, AByteOrderMarkIsSkippedAndKept) {
    TempDir dir;
    dir.Write("KBX.INI", "\xEF\xBB\xBF[PROGRAMMER]\r\nTYPE=OTHER\r\n");
    TProfileFile ini(dir.File("KBX.INI"));
    EXPECT_EQ(ini.ReadString("PROGRAMMER", "TYPE", "ORLA"), "OTHER");
    ini.WriteString("PROGRAMMER", "TYPE", "ORLA");
    EXPECT_EQ(dir.Read("KBX.INI"), "\xEF\xBB\xBF[PROGRAMMER]\r\nTYPE=ORLA\r\n");
}

TEST(TProfileFile, APipeIsRefusedAndLeftAlone) {
    TempDir dir;
    std::string fifo = dir.File("KBX.INI");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    TProfileFile ini(fifo);
    EXPECT_THROW(ini.ReadString("A", "B", "x"), EFOpenError);
    EXPECT_THROW(ini.WriteString("A", "B", "x"), EFOpenError);
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
