// Large and unusual files: opening above the progress size shows progress
// and may be cancelled, and what was opened saves back whole.
#include "support/DocumentsFixture.h"
#include "support/TScriptedProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quarno;
using quarno::test::DocumentsFixture;
using quarno::test::TScriptedProgress;
using Names = std::vector<std::string>;

namespace {

struct LargeFixture : DocumentsFixture {
    LargeFixture() { docs.SetProgress(&progress); }

    // A file just above the size that shows progress.
    std::string WriteLarge(const std::string& name) {
        std::string line = "    HIGH PORTB.0 ' a line of a large program\r\n";
        std::string text;
        text.reserve(TDocumentTabs::kProgressBytes + line.size());
        while (text.size() <= TDocumentTabs::kProgressBytes)
            text += line;
        return dir.Write(name, text);
    }

    TScriptedProgress progress;
};

} // namespace

TEST_F(LargeFixture, ALargeFileOpensWithProgressAndSavesBackWhole) {
    std::string path = WriteLarge("large.bas");
    OpenViaDialog(path);
    ASSERT_EQ(progress.texts.size(), 1u);
    EXPECT_EQ(progress.texts[0], Format(TDocumentTabs::kOpeningText, path));
    EXPECT_EQ(progress.maximums[0], TDocumentTabs::kProgressSteps);
    EXPECT_EQ(progress.ends, 1);
    ASSERT_GE(progress.steps.size(), 20u) << "a step at least every megabyte";
    EXPECT_TRUE(std::is_sorted(progress.steps.begin(), progress.steps.end()));
    EXPECT_EQ(progress.steps.back(), TDocumentTabs::kProgressSteps);

    std::string original = dir.Read("large.bas");
    Type("' first line\r");
    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("large.bas"), "' first line\r\n" + original);
    EXPECT_EQ(dir.Read("large.BAK"), original);
}

TEST_F(LargeFixture, CancellingTheOpeningLeavesThePreviousDocumentUntouched) {
    std::string small = dir.Write("small.bas", "kept");
    OpenViaDialog(small);
    Type("edited ");
    progress.StopAt(TDocumentTabs::kProgressSteps / 3);
    OpenViaDialog(WriteLarge("large.bas"));
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(tabs.captions, (Names{"small.bas"}));
    EXPECT_EQ(docs.Current()->FileName(), small);
    EXPECT_EQ(pad.Text(), "edited kept");
    EXPECT_EQ(docs.Panel(1), "Modified");
    EXPECT_TRUE(prompts.Boxes().empty()) << "a cancel is not an error";
    pad.Undo();
    EXPECT_EQ(pad.Text(), "kept") << "its undo history too";
}

TEST_F(LargeFixture, CancellingTheFirstOpeningKeepsThePristineUntitledTab) {
    progress.StopAt(TDocumentTabs::kProgressSteps / 3);
    OpenViaDialog(WriteLarge("large.bas"));
    EXPECT_EQ(tabs.captions, (Names{TFileObject::kUntitledName}));
    ASSERT_NE(docs.Current(), nullptr);
    EXPECT_TRUE(docs.Current()->IsUntitled());
    EXPECT_EQ(pad.Text(), "");

    progress.StopAt(0);
    OpenViaDialog(dir.File("large.bas"));
    EXPECT_EQ(tabs.captions, (Names{"large.bas"})) << "a finished load replaces it";
    EXPECT_EQ(tabs.selected, 0);
    EXPECT_EQ(docs.Current()->FileName(), dir.File("large.bas"));
}

TEST_F(LargeFixture, SmallFilesOpenWithoutProgress) {
    OpenViaDialog(dir.Write("small.bas", std::string(1 << 20, 'x')));
    EXPECT_TRUE(progress.texts.empty());
}

TEST_F(LargeFixture, UnusualFilesOpenAndSaveWhatTheStoreHolds) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string saved; // line breaks CR LF, control characters "."
    };
    std::string longLine(3 << 20, 'A');
    const Case cases[] = {
        {"one-long-line.bas", longLine, longLine},
        {"nul.bin", std::string("MZ\0\0\x90\xFF\0x", 8), "MZ..\x90\xFF.x"},
        {"mixed.bas", "a\rb\nc\r\nd\n\re", "a\r\nb\r\nc\r\nd\r\ne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenViaDialog(dir.Write(c.name, c.bytes));
        ASSERT_EQ(docs.Current()->FileName(), dir.File(c.name));
        ASSERT_TRUE(docs.SaveButtonClick());
        EXPECT_EQ(dir.Read(c.name), c.saved);
        docs.Close1Click();
    }
    EXPECT_TRUE(prompts.Boxes().empty());
}

// A progress lets the window's events in; closing the window meanwhile
// would free the documents under the load.
TEST_F(LargeFixture, TheWindowDoesNotCloseWhileAFileLoads) {
    struct ClosingProgress : TScriptedProgress {
        bool Step(int value) override {
            if (!asked) closed = docs->FormClose();
            asked = true;
            return TScriptedProgress::Step(value);
        }
        TDocumentTabs* docs = nullptr;
        bool asked = false;
        bool closed = true;
    } closing;
    closing.docs = &docs;
    docs.SetProgress(&closing);
    OpenViaDialog(WriteLarge("large.bas"));
    EXPECT_TRUE(closing.asked);
    EXPECT_FALSE(closing.closed);
    EXPECT_EQ(tabs.captions, (Names{"large.bas"}));
    EXPECT_TRUE(docs.FormClose()) << "once it has loaded";
}
