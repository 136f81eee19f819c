// Documents whose files another program changes, replaces or deletes.
#include "core/app/GotoLine.h"
#include "core/base/StringUtils.h"
#include "support/DocumentsFixture.h"
#include "support/TScriptedFileWatcher.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::DocumentsFixture;
using quarno::test::TScriptedFileWatcher;
using Names = std::vector<std::string>;

namespace {

struct OnDiskFixture : DocumentsFixture {
    OnDiskFixture() { docs.SetFileWatcher(&watcher); }
    ~OnDiskFixture() override { docs.SetFileWatcher(nullptr); }

    // Another program writes the file in place (a new size, so the change
    // shows even within the file system's time resolution).
    void RewriteInPlace(const std::string& path, const std::string& text) {
        dir.Write(std::filesystem::path(path).filename().string(), text);
    }
    // Another program writes a new file and renames it over the old one.
    void ReplaceByRename(const std::string& path, const std::string& text) {
        std::string temporary = dir.Write("replacement.tmp", text);
        std::filesystem::rename(temporary, path);
    }
    int CaretLine() { return RealLineOfPosition(pad.Store(), pad.SelStart()); }

    TScriptedFileWatcher watcher;
};

std::string Changed(const std::string& path) {
    return Format(TDocumentTabs::kChangedOutsideQuestion, path);
}

} // namespace

TEST_F(OnDiskFixture, TheWatcherIsToldTheNamedFilesOfTheOpenDocuments) {
    std::string a = dir.Write("a.bas", "a");
    std::string b = dir.Write("b.bas", "b");
    OpenViaDialog(a);
    OpenViaDialog(b);
    docs.NewButtonClick();
    EXPECT_EQ(watcher.watched, (Names{a, b})) << "untitled documents have no file";
    int calls = watcher.calls;
    Type("x");
    EXPECT_EQ(watcher.calls, calls) << "typing does not touch the watcher";

    dialogs.QueueFile(dir.File("c.bas"));
    docs.SaveAs1Click();
    EXPECT_EQ(watcher.watched, (Names{a, b, dir.File("c.bas")}));
    docs.Close1Click();
    docs.Close1Click();
    EXPECT_EQ(watcher.watched, (Names{a}));
}

TEST_F(OnDiskFixture, OwnSavesAndSaveAsNeverAsk) {
    std::string path = dir.Write("prog.bas", "one\r\n");
    OpenViaDialog(path);
    Type("more ");
    ASSERT_TRUE(docs.SaveButtonClick());
    watcher.Fire();
    dialogs.QueueFile(dir.File("other.bas"));
    ASSERT_TRUE(docs.SaveAs1Click());
    watcher.Fire();
    docs.CheckFilesOnDisk();
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(OnDiskFixture, AChangedFileIsAskedAboutOnceAndYesReloadsKeepingTheCaretLine) {
    struct Case {
        const char* name;
        bool byRename;
    };
    for (const Case& c : {Case{"in-place.bas", false}, Case{"renamed.bas", true}}) {
        SCOPED_TRACE(c.name);
        std::string path = dir.Write(c.name, "1\r\n2\r\n3\r\n4\r\n");
        OpenViaDialog(path);
        pad.SetSelStart(pad.Store().RecordStart(2) + 1); // line 3
        size_t before = prompts.Boxes().size();
        if (c.byRename)
            ReplaceByRename(path, "1\r\n2\r\nX\r\n4\r\n"); // same size, new inode
        else
            RewriteInPlace(path, "A\r\nB\r\nC\r\nD\r\nE\r\n");
        prompts.QueueAnswer(TPromptButton::Yes);
        watcher.Fire();
        ASSERT_EQ(prompts.Boxes().size(), before + 1);
        EXPECT_EQ(prompts.Boxes().back().text, Changed(path));
        EXPECT_EQ(prompts.Boxes().back().buttons, TPromptButtons::YesNo);
        EXPECT_EQ(pad.Text(), c.byRename ? "1\r2\rX\r4\r" : "A\rB\rC\rD\rE\r");
        EXPECT_EQ(CaretLine(), 3);
        EXPECT_EQ(docs.Panel(1), "") << "a reloaded text is unmodified";
        EXPECT_FALSE(pad.CanUndo());

        watcher.Fire();
        docs.CheckFilesOnDisk();
        EXPECT_EQ(prompts.Boxes().size(), before + 1) << "the same change is not asked again";
        docs.Close1Click();
    }
}

TEST_F(OnDiskFixture, AReloadOfAShorterFilePutsTheCaretOnItsLastLine) {
    std::string path = dir.Write("long.bas", "1\r\n2\r\n3\r\n4\r\n5\r\n6");
    OpenViaDialog(path);
    pad.SetSelStart(pad.CharCount());
    RewriteInPlace(path, "a\r\nb");
    prompts.QueueAnswer(TPromptButton::Yes);
    watcher.Fire();
    EXPECT_EQ(pad.Text(), "a\rb");
    EXPECT_EQ(CaretLine(), 2);
}

TEST_F(OnDiskFixture, NoKeepsTheTextAndMakesTheNextSaveADeliberateOverwrite) {
    std::string path = dir.Write("keep.bas", "mine");
    OpenViaDialog(path);
    RewriteInPlace(path, "theirs!");
    prompts.QueueAnswer(TPromptButton::No);
    watcher.Fire();
    EXPECT_EQ(pad.Text(), "mine");
    EXPECT_EQ(docs.Panel(1), "Modified");
    watcher.Fire();
    EXPECT_EQ(prompts.Boxes().size(), 1u);

    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("keep.bas"), "mine");
    EXPECT_EQ(dir.Read("keep.BAK"), "theirs!");
    EXPECT_EQ(docs.Panel(1), "");
}

TEST_F(OnDiskFixture, AModifiedDocumentIsAskedWithNoAsTheDefault) {
    std::string path = dir.Write("edited.bas", "disk");
    OpenViaDialog(path);
    Type("typed ");
    RewriteInPlace(path, "changed outside");
    watcher.Fire(); // unanswered: the default button
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].text,
              Format(TDocumentTabs::kChangedOutsideModifiedQuestion, path));
    EXPECT_EQ(prompts.Boxes()[0].buttons, TPromptButtons::YesNoDefaultNo);
    EXPECT_EQ(prompts.Boxes()[0].answer, TPromptButton::No);
    EXPECT_EQ(pad.Text(), "typed disk");
    EXPECT_EQ(docs.Panel(1), "Modified");
    pad.Undo();
    docs.Lexipad1Change();
    EXPECT_EQ(docs.Panel(1), "Modified") << "undoing does not make it match the disk again";
}

TEST_F(OnDiskFixture, ADocumentInAnotherTabIsShownBeforeTheQuestion) {
    std::string a = dir.Write("a.bas", "a");
    OpenViaDialog(a);
    OpenViaDialog(dir.Write("b.bas", "b"));
    RewriteInPlace(a, "a, rewritten");
    prompts.QueueAnswer(TPromptButton::Yes);
    watcher.Fire();
    EXPECT_EQ(tabs.selected, 0);
    EXPECT_EQ(docs.Current(), &docs.Document(0));
    EXPECT_EQ(pad.Text(), "a, rewritten");
    tabs.Select(1);
    docs.OpenFilesTabChange();
    EXPECT_EQ(pad.Text(), "b") << "the other document is untouched";
}

TEST_F(OnDiskFixture, ADeletedFileIsReportedOnceAndStaysOpenModifiedAndSavable) {
    std::string path = dir.Write("gone.bas", "text");
    OpenViaDialog(path);
    std::filesystem::remove(path);
    watcher.Fire();
    watcher.Fire();
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].kind, TPromptKind::Warning);
    EXPECT_EQ(prompts.Boxes()[0].text, Format(TDocumentTabs::kDeletedOutsideText, path));
    EXPECT_EQ(docs.DocumentCount(), 1);
    EXPECT_EQ(docs.Panel(1), "Modified") << "closing it asks before the text is lost";

    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("gone.bas"), "text");
    watcher.Fire();
    EXPECT_EQ(prompts.Boxes().size(), 1u);
}

TEST_F(OnDiskFixture, AFileThatComesBackAfterItsDeletionIsAskedAbout) {
    std::string path = dir.Write("back.bas", "old");
    OpenViaDialog(path);
    std::filesystem::remove(path);
    watcher.Fire();
    dir.Write("back.bas", "new text");
    prompts.QueueAnswer(TPromptButton::Yes);
    watcher.Fire();
    ASSERT_EQ(prompts.Boxes().size(), 2u);
    EXPECT_EQ(prompts.Boxes()[1].text, Format(TDocumentTabs::kChangedOutsideModifiedQuestion, path))
        << "the deletion left the document modified";
    EXPECT_EQ(pad.Text(), "new text");
    EXPECT_EQ(docs.Panel(1), "");
}

TEST_F(OnDiskFixture, FilesThisProgramWroteAreTakenWithoutAQuestion) {
    std::string listing = dir.Write("prog.ASM", "; old listing\r\n");
    std::string edited = dir.Write("prog.HEX", ":00000001FF\r\n");
    std::string source = dir.Write("prog.bas", "HIGH PORTB.0\r\n");
    OpenViaDialog(listing);
    OpenViaDialog(edited);
    Type("; mine ");
    OpenViaDialog(source);
    RewriteInPlace(listing, "; new listing, longer\r\n");
    RewriteInPlace(edited, ":0000000AFF\r\n:00000001FF\r\n");

    docs.AcceptOwnWrites({dir.File("prog.KBR"), listing, edited});
    watcher.Fire();
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_EQ(docs.Current()->FileName(), source) << "the shown document stays shown";
    EXPECT_EQ(docs.Document(0).Store().Text(), "; new listing, longer\r");
    EXPECT_EQ(docs.Document(1).Store().Text(), "; mine :00000001FF\r");
    EXPECT_TRUE(docs.Document(1).IsModifiedInStore());
}
