// KBX.INI and the history file QUARNO.DAT as a crash, a full disk or a stray
// program may leave them: binary garbage, a 10 MB line, sections missing.
// The documents still open, save and close; every setting reads as its
// default; the recent-files list stays within its limit and is written back
// whole.
#include "support/DocumentsFixture.h"

#include <random>

namespace quarno::test {
namespace {

std::string Garbage(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    // Plenty of the bytes the readers split at.
    const char special[] = {'\0', '\r', '\n', '[', ']', '=', '"', ';', ' '};
    for (char& c : bytes)
        c = random() % 4 == 0 ? special[random() % sizeof special]
                              : static_cast<char>(random() % 256);
    return bytes;
}

struct DamagedCase {
    const char* name;
    std::string config;
    std::string history;
};

std::vector<DamagedCase> DamagedCases() {
    const std::string longLine(10 << 20, 'x');
    return {
        {"binary garbage", Garbage(65536, 1), Garbage(65536, 2)},
        {"10 MB line without a break", longLine, longLine},
        {"10 MB value and item", "[WORKING_DIRECTORY]\r\nPATHNAME=" + longLine + "\r\n",
         "[MRU]\r\n" + longLine + "\r\n"},
        {"10 MB section name", "[" + longLine + "]\r\nTYPE=OTHER\r\n", "[" + longLine + "\r\n"},
        {"sections missing", "", ""},
        {"other sections only", "[SOMETHING]\r\nELSE=1\r\n", "[Other]\r\nline\r\n"},
    };
}

struct DamagedFilesFixture : DocumentsFixture {};

TEST_F(DamagedFilesFixture, DocumentsWorkAndSettingsReadAsTheirDefaults) {
    for (const DamagedCase& damaged : DamagedCases()) {
        SCOPED_TRACE(damaged.name);
        dir.Write("INC/KBX.INI", damaged.config);
        dir.Write("QUARNO.DAT", damaged.history);
        TEdPersistent damagedHistory(dir.Folder());
        EXPECT_LE(damagedHistory.ReadRecentFiles().size(), 20u);
        EXPECT_LE(damagedHistory.ReadFindHistory().size(), 20u);
        docs.SetPersistent(&damagedHistory);

        std::string path = dir.Write("prog.bas", "PRINT 1\r\n");
        OpenViaDialog(path);
        ASSERT_EQ(docs.Current()->FileName(), path);
        Type("' edited\r");
        ASSERT_TRUE(docs.SaveButtonClick());
        EXPECT_EQ(dir.Read("prog.bas"), "' edited\r\nPRINT 1\r\n");
        EXPECT_EQ(view.status.programmerType, "ORLA");
        EXPECT_EQ(view.status.bootloaderType, "STANDARD");
        EXPECT_EQ(view.status.extProgrammerName, "Undefined");
        ASSERT_TRUE(docs.Close1Click());
        EXPECT_TRUE(PromptTexts().empty()) << PromptTexts().front();

        // The closed file heads the recent files, read back from the file.
        TEdPersistent reread(dir.Folder());
        ASSERT_FALSE(reread.ReadRecentFiles().empty());
        EXPECT_EQ(reread.ReadRecentFiles().front(), path);
        EXPECT_LE(reread.ReadRecentFiles().size(), 20u);
        docs.SetPersistent(&history);
        docs.CreateFirstDocument();
    }
}

} // namespace
} // namespace quarno::test
