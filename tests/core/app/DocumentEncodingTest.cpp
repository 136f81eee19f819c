// Documents of files in UTF-8 or Windows-1252: what the store holds, what a
// save writes back, and the read-only case.
#include "support/DocumentsFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::DocumentsFixture;

TEST_F(DocumentsFixture, FilesRoundTripInTheirOwnEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string stored; // the store's Windows-1252 text
        std::string hint;
    };
    const Case cases[] = {
        {"ascii.bas", "PRINT 1\r\nEND\r\n", "PRINT 1\rEND\r", "Windows-1252"},
        {"ansi.bas", "' caf\xE9 \x80\r\n", "' caf\xE9 \x80\r", "Windows-1252"},
        {"utf8.bas", "' caf\xC3\xA9 \xE2\x82\xAC\r\n", "' caf\xE9 \x80\r", "UTF-8"},
        {"bom.bas", "\xEF\xBB\xBF' \xC3\xA9\r\n", "' \xE9\r", "UTF-8 with BOM"},
        {"bom-ascii.bas", "\xEF\xBB\xBFPRINT\r\n", "PRINT\r", "UTF-8 with BOM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.Write(c.name, c.bytes);
        OpenViaDialog(path);
        EXPECT_EQ(pad.Text(), c.stored);
        EXPECT_FALSE(pad.ReadOnly());
        EXPECT_EQ(tabs.hints[static_cast<size_t>(tabs.selected)], path + "\r\n" + c.hint);

        ASSERT_TRUE(docs.SaveButtonClick());
        EXPECT_EQ(dir.Read(c.name), c.bytes) << "saved unchanged";
        pad.SetSelStart(0);
        Type("' \xE9\r");
        ASSERT_TRUE(docs.SaveButtonClick());
        std::string typed = c.hint == "Windows-1252" ? "' \xE9\r\n" : "' \xC3\xA9\r\n";
        std::string bom = c.hint == "UTF-8 with BOM" ? "\xEF\xBB\xBF" : "";
        EXPECT_EQ(dir.Read(c.name), bom + typed + c.bytes.substr(bom.size()));
        docs.Close1Click();
    }
}

TEST_F(DocumentsFixture, AFileWithCharactersWindows1252LacksOpensReadOnly) {
    std::string bytes = "' \xCE\xB1\xCE\xB2\r\n";
    std::string path = dir.Write("greek.bas", bytes);
    OpenViaDialog(path);
    EXPECT_EQ(pad.Text(), "' \xCE\xB1\xCE\xB2\r") << "its bytes, as any other file";
    EXPECT_TRUE(pad.ReadOnly());
    EXPECT_EQ(docs.Panel(5), std::string("  ") + TDocumentTabs::kReadOnlyMessage);
    EXPECT_NE(tabs.hints[0].find("read only"), std::string::npos);

    // Another document is not read-only; coming back is.
    docs.NewButtonClick();
    EXPECT_FALSE(pad.ReadOnly());
    tabs.Select(0);
    docs.OpenFilesTabChange();
    EXPECT_TRUE(pad.ReadOnly());

    // Save offers another name and writes the bytes unchanged there.
    dialogs.QueueFile(dir.File("copy.bas"));
    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dialogs.Requests().back().dialog, "save");
    EXPECT_EQ(dir.Read("copy.bas"), bytes);
    EXPECT_EQ(dir.Read("greek.bas"), bytes);
}
