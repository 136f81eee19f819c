#include "support/DocumentsFixture.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::DocumentsFixture;
using quarno::test::FakeTabRow;
using quarno::test::FakeView;
using quarno::test::TempDir;
using quarno::test::TScriptedFileDialogs;
using quarno::test::TScriptedPrompts;
using Names = std::vector<std::string>;

namespace {

std::string Modified(const std::string& name) {
    return "File \"" + name + "\" has been modified\r\nSave changes ?";
}

} // namespace

TEST_F(DocumentsFixture, PristineUntitledFirstTabIsReplacedByAnOpenedFile) {
    std::string prog = dir.Write("prog.bas", "PRINT 1\r\n");
    OpenViaDialog(prog);
    EXPECT_EQ(tabs.captions, (Names{"prog.bas"}));
    EXPECT_EQ(tabs.selected, 0);
    EXPECT_EQ(pad.Text(), "PRINT 1\r");
    EXPECT_EQ(pad.CurrentParser(), parser.get());
    EXPECT_EQ(view.caption, prog);
    EXPECT_EQ(dialogs.Requests().front().options.initialFolder, "/start");
    EXPECT_EQ(dialogs.Requests().front().options.filter, TDocumentTabs::kOpenFilter);
    EXPECT_EQ(Ini("WORKING_DIRECTORY", "PATHNAME"),
              dir.Folder().substr(0, dir.Folder().size() - 1));
    EXPECT_EQ(globals.LastOpenedFile(), prog);
    EXPECT_TRUE(prompts.Boxes().empty());
}

TEST_F(DocumentsFixture, UntitledTabIsKeptWhenModifiedOrNotFirst) {
    Type("typed");
    OpenViaDialog(dir.Write("a.bas", "a"));
    EXPECT_EQ(tabs.captions, (Names{"No_name.bas", "a.bas"})) << "a modified untitled tab stays";
    EXPECT_TRUE(prompts.Boxes().empty()) << "and is not even asked about";

    docs.NewButtonClick();
    EXPECT_EQ(tabs.selected, 2);
    OpenViaDialog(dir.Write("b.bas", "b"));
    EXPECT_EQ(tabs.captions, (Names{"No_name.bas", "a.bas", "No_name.bas", "b.bas"}))
        << "a pristine untitled tab that is not the first stays";
    EXPECT_EQ(tabs.selected, 3);
}

TEST_F(DocumentsFixture, ReopeningAnOpenFileAsksAndReloadsOnlyOnYes) {
    struct Case {
        TPromptButton reload;
        std::string text;
        int boxes;
    };
    for (const Case& c :
         {Case{TPromptButton::No, "edited", 1}, Case{TPromptButton::Cancel, "edited", 1},
          Case{TPromptButton::Yes, "disk", 2}}) {
        TempDir files;
        std::string path = files.Write("p.bas", "disk");
        TScriptedPrompts answers;
        FakeTabRow row;
        TCustomLexipad control;
        TDocumentTabs tabbed(control, {row, view, answers, dialogs, globals});
        tabbed.CreateFirstDocument();
        tabbed.OpenDocument(path);
        tabbed.OpenDocument(files.Write("q.bas", "q"));
        row.Select(0);
        tabbed.OpenFilesTabChange();
        control.SelectAll();
        control.ReplaceSelection("edited");
        row.Select(1);
        tabbed.OpenFilesTabChange();

        answers.QueueAnswer(c.reload);
        answers.QueueAnswer(TPromptButton::No); // do not save the edits
        tabbed.OpenDocument(path);
        ASSERT_EQ(static_cast<int>(answers.Boxes().size()), c.boxes);
        EXPECT_EQ(answers.Boxes()[0].text,
                  "File \"" + path + "\" is already open\rDo you wish to reload ?");
        EXPECT_EQ(answers.Boxes()[0].kind, TPromptKind::Information);
        if (c.boxes == 2) {
            EXPECT_EQ(answers.Boxes()[1].text, Modified(path));
        }
        ASSERT_EQ(tabbed.DocumentCount(), 2);
        int index = tabbed.FindTabByName(path);
        row.Select(index);
        tabbed.OpenFilesTabChange();
        EXPECT_EQ(control.Text(), c.text);
    }
}

TEST_F(DocumentsFixture, ReloadStopsWhenTheSaveQuestionIsCancelled) {
    std::string path = dir.Write("p.bas", "disk");
    OpenViaDialog(path);
    Type("edit ");
    prompts.QueueAnswer(TPromptButton::Yes);
    prompts.QueueAnswer(TPromptButton::Cancel);
    docs.ReOpenFileClick();
    EXPECT_EQ(PromptTexts().size(), 2u);
    EXPECT_EQ(DocumentNames(), (Names{path})) << "no second copy of the file";
    EXPECT_EQ(pad.Text(), "edit disk");
}

TEST_F(DocumentsFixture, UndoingEveryChangeSinceTheSaveClearsModified) {
    OpenViaDialog(dir.Write("p.bas", "abc"));
    Type("1");
    Type("2");
    EXPECT_EQ(docs.Panel(1), "Modified");
    docs.SaveButtonClick();
    EXPECT_EQ(docs.Panel(1), "");
    Type("3");
    EXPECT_EQ(docs.Panel(1), "Modified");
    EXPECT_TRUE(view.status.canUndo);
    pad.Undo();
    docs.Lexipad1Change();
    EXPECT_EQ(docs.Panel(1), "");
    EXPECT_TRUE(view.status.canRedo);
    pad.Undo();
    docs.Lexipad1Change();
    EXPECT_EQ(docs.Panel(1), "Modified");
}

TEST_F(DocumentsFixture, SavingWritesTheBackupOfThePreviousVersion) {
    std::string bas = dir.Write("prog.bas", "old bas\r\n");
    std::string inc = dir.Write("prog.inc", "old inc\r\n");
    OpenViaDialog(bas);
    Type("new ");
    docs.SaveButtonClick();
    EXPECT_EQ(dir.Read("prog.bas"), "new old bas\r\n");
    EXPECT_EQ(dir.Read("prog.BAK"), "old bas\r\n");

    OpenViaDialog(inc);
    docs.SaveButtonClick();
    EXPECT_EQ(dir.Read("prog.BAK"), "old inc\r\n") << "both share one backup name";
    EXPECT_EQ(dir.Read("prog.inc"), "old inc\r\n");
}

TEST_F(DocumentsFixture, SaveOfAnUntitledDocumentRunsSaveAs) {
    Type("PRINT");
    dialogs.QueueFile(dir.File("named.bas"));
    EXPECT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("named.bas"), "PRINT");
    EXPECT_EQ(dir.Read("named.BAK"), "PRINT") << "a copy of what Save As wrote";
    EXPECT_EQ(tabs.captions, (Names{"named.bas"}));
    EXPECT_EQ(view.caption, dir.File("named.bas"));
    EXPECT_EQ(dialogs.Requests().back().options.fileName, "No_name.bas");
    EXPECT_EQ(dialogs.Requests().back().options.filter, TDocumentTabs::kSaveFilter);

    // The name survives switching away and back.
    docs.NewButtonClick();
    tabs.Select(0);
    docs.OpenFilesTabChange();
    EXPECT_EQ(docs.Current()->FileName(), dir.File("named.bas"));
    EXPECT_EQ(pad.Text(), "PRINT");
}

TEST_F(DocumentsFixture, CancelledSaveAsWritesNothingAndCloseKeepsTheDocument) {
    Type("unsaved");
    EXPECT_FALSE(docs.SaveButtonClick());
    EXPECT_TRUE(prompts.Boxes().empty());
    prompts.QueueAnswer(TPromptButton::Yes);
    EXPECT_FALSE(docs.Close1Click());
    EXPECT_EQ(docs.DocumentCount(), 1);
    EXPECT_EQ(pad.Text(), "unsaved");
}

TEST_F(DocumentsFixture, SavingAFileDeletedOutsideWritesItAgain) {
    std::string path = dir.Write("gone.bas", "text");
    OpenViaDialog(path);
    std::filesystem::remove(path);
    EXPECT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("gone.bas"), "text");
    EXPECT_FALSE(std::filesystem::exists(dir.File("gone.BAK")));
}

TEST_F(DocumentsFixture, RecentFilesKeepTheirPlaceAndNeverListUntitled) {
    std::string a = dir.Write("a.bas", "a");
    std::string b = dir.Write("b.bas", "b");
    OpenViaDialog(a);
    docs.Close1Click();
    OpenViaDialog(b);
    docs.Close1Click();
    EXPECT_EQ(docs.RecentFiles(), (Names{b, a}));
    OpenViaDialog(a);
    docs.Close1Click();
    EXPECT_EQ(docs.RecentFiles(), (Names{b, a})) << "a listed name keeps its place";
    docs.NewButtonClick();
    docs.Close1Click();
    EXPECT_EQ(history.ReadRecentFiles(), (Names{b, a}));
    EXPECT_EQ(view.reopenMenu, (Names{b, a}));

    docs.ReopenItemClick(TDocumentTabs::kNoEntries);
    EXPECT_EQ(docs.DocumentCount(), 0);
    docs.ReopenItemClick(a);
    EXPECT_EQ(DocumentNames(), (Names{a}));
}

TEST_F(DocumentsFixture, RecentFilesAreLimitedToTwenty) {
    for (int i = 0; i < 22; ++i) {
        OpenViaDialog(dir.Write("f" + std::to_string(i) + ".bas", "x"));
        docs.Close1Click();
    }
    ASSERT_EQ(docs.RecentFiles().size(), 20u);
    EXPECT_EQ(docs.RecentFiles().front(), dir.File("f21.bas"));
    EXPECT_EQ(docs.RecentFiles().back(), dir.File("f2.bas"));
}

TEST_F(DocumentsFixture, ClosingTheLastTabHidesTheDocumentControls) {
    OpenViaDialog(dir.Write("a.bas", "a"));
    EXPECT_TRUE(view.status.documents);
    docs.Close1Click();
    EXPECT_FALSE(view.status.documents);
    EXPECT_EQ(view.caption, "QUARNO+ Compiler");
    EXPECT_EQ(docs.Current(), nullptr);
    EXPECT_TRUE(tabs.captions.empty());
    docs.Close1Click(); // nothing left: nothing happens
    EXPECT_EQ(docs.DocumentCount(), 0);
}

TEST_F(DocumentsFixture, ClosingSelectsTheNextTabOrThePreviousAtTheEnd) {
    OpenViaDialog(dir.Write("a.bas", "a"));
    OpenViaDialog(dir.Write("b.bas", "b"));
    OpenViaDialog(dir.Write("c.bas", "c"));
    tabs.Select(1);
    docs.OpenFilesTabChange();
    docs.Close1Click();
    EXPECT_EQ(tabs.captions, (Names{"a.bas", "c.bas"}));
    EXPECT_EQ(tabs.selected, 1);
    EXPECT_EQ(pad.Text(), "c");
    docs.Close1Click();
    EXPECT_EQ(tabs.selected, 0);
    EXPECT_EQ(pad.Text(), "a");
}

TEST_F(DocumentsFixture, CloseAllStopsAtCancel) {
    OpenViaDialog(dir.Write("a.bas", "a"));
    OpenViaDialog(dir.Write("b.bas", "b"));
    OpenViaDialog(dir.Write("c.bas", "c"));
    tabs.Select(0);
    docs.OpenFilesTabChange();
    docs.Close1Click(); // a closes; b is shown
    Type("edit");
    prompts.QueueAnswer(TPromptButton::Cancel);
    docs.CloseAll1Click();
    EXPECT_EQ(tabs.captions, (Names{"b.bas", "c.bas"}));
    prompts.QueueAnswer(TPromptButton::No);
    docs.CloseAll1Click();
    EXPECT_EQ(docs.DocumentCount(), 0);
    EXPECT_EQ(dir.Read("b.bas"), "b");
}

TEST_F(DocumentsFixture, DroppedFilesOpenOnlyTheFirstAndKeepTheWorkingFolder) {
    std::filesystem::create_directories(dir.File("sub"));
    Names files{dir.Write("sub/one.bas", "1"), dir.Write("sub/two.bas", "2"),
                dir.Write("sub/three.bas", "3")};
    docs.Lexipad1FilesDropped(files);
    EXPECT_EQ(DocumentNames(), (Names{files[0]}));
    EXPECT_EQ(Ini("WORKING_DIRECTORY", "PATHNAME"), "/start");
    EXPECT_EQ(docs.WorkingFolder(), dir.File("sub"));
    EXPECT_EQ(view.broughtToFront, 1);

    OpenViaDialog(files[1]);
    EXPECT_EQ(Ini("WORKING_DIRECTORY", "PATHNAME"), dir.File("sub"))
        << "the next open writes it again";
    docs.Lexipad1FilesDropped({dir.File("sub/none.bas"), files[2]});
    EXPECT_EQ(docs.DocumentCount(), 2) << "a missing first file stops the drop";
}

TEST_F(DocumentsFixture, NamedFilesOpenInOrderAndAMissingOneIsReportedEvenWithoutDocuments) {
    docs.Close1Click();
    std::filesystem::create_directories(dir.File("sub"));
    Names files{dir.Write("sub/one.bas", "1"), dir.File("sub/none.bas"),
                dir.Write("sub/two.inc", "2")};
    for (const std::string& file : files)
        docs.OpenNamedFile(file, true);
    EXPECT_EQ(DocumentNames(), (Names{files[0], files[2]}));
    EXPECT_EQ(tabs.captions, (Names{"one.bas", "two.inc"}));
    EXPECT_EQ(PromptTexts(), (Names{"Cannot Find or Open File\r\"" + files[1] + "\""}));
    EXPECT_EQ(Ini("WORKING_DIRECTORY", "PATHNAME"), "/start") << "as dropped files";
    EXPECT_EQ(view.broughtToFront, 0) << "the caller brings the window forward";

    EXPECT_TRUE(docs.OpenNamedFile(dir.Write("three.bas", "3"), false));
    std::string folder = dir.Folder();
    folder.pop_back();
    EXPECT_EQ(Ini("WORKING_DIRECTORY", "PATHNAME"), folder) << "as the start-up file";
    EXPECT_FALSE(docs.OpenNamedFile(dir.File("sub"), true)) << "a folder is no file";
    EXPECT_EQ(docs.DocumentCount(), 3);
}

TEST_F(DocumentsFixture, MissingFileIsReportedAndTheCurrentDocumentStays) {
    Type("kept");
    std::string missing = dir.File("missing.bas");
    EXPECT_FALSE(docs.OpenDocument(missing));
    EXPECT_EQ(PromptTexts(), (Names{"Cannot Find or Open File\r\"" + missing + "\""}));
    EXPECT_EQ(prompts.Boxes()[0].kind, TPromptKind::Error);
    EXPECT_EQ(pad.Text(), "kept");
    EXPECT_EQ(docs.DocumentCount(), 1);
}

TEST_F(DocumentsFixture, LoadFailureWithoutDocumentAddsNoTab) {
    docs.Close1Click();
    std::filesystem::create_directories(dir.File("folder.bas"));
    EXPECT_FALSE(docs.OpenDocument(dir.File("folder.bas")));
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(docs.DocumentCount(), 0);
    EXPECT_TRUE(tabs.captions.empty());
}

TEST_F(DocumentsFixture, WindowCloseAsksPerModifiedDocumentAndCanBeCancelled) {
    std::string a = dir.Write("a.bas", "a");
    std::string b = dir.Write("b.bas", "b");
    std::string c = dir.Write("c.bas", "c");
    OpenViaDialog(a);
    Type("A");
    OpenViaDialog(b);
    OpenViaDialog(c);
    Type("C");
    prompts.QueueAnswer(TPromptButton::No);
    prompts.QueueAnswer(TPromptButton::Cancel);
    EXPECT_FALSE(docs.FormClose());
    EXPECT_EQ(PromptTexts(), (Names{Modified(a), Modified(c)}));
    EXPECT_EQ(DocumentNames(), (Names{c})) << "closed ones stay closed";
    EXPECT_EQ(pad.Text(), "Cc");
    EXPECT_EQ(docs.Current(), &docs.Document(0));
    EXPECT_EQ(view.parserSaves, 0);
    EXPECT_EQ(history.ReadRecentFiles(), (Names{b, a}));

    prompts.QueueAnswer(TPromptButton::Yes);
    EXPECT_TRUE(docs.FormClose());
    EXPECT_EQ(dir.Read("c.bas"), "Cc");
    EXPECT_EQ(dir.Read("a.bas"), "a");
    EXPECT_EQ(view.parserSaves, 1);
    EXPECT_TRUE(view.reopenMenu.empty());
    EXPECT_EQ(history.ReadRecentFiles(), (Names{c, b, a}));
}

TEST_F(DocumentsFixture, WindowCloseWithoutDocumentsLeavesTheParserSettings) {
    docs.Close1Click();
    EXPECT_TRUE(docs.FormClose());
    EXPECT_EQ(view.parserSaves, 0);
}

TEST_F(DocumentsFixture, EachTabKeepsItsHistorySelectionAndTopLine) {
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "PRINT " + std::to_string(i) + "\r\n";
    OpenViaDialog(dir.Write("a.bas", many));
    pad.SetSelection(10, 12);
    pad.SetTopLine(50);
    Type("X");
    OpenViaDialog(dir.Write("b.bas", "b"));
    Type("Y");
    EXPECT_EQ(pad.TopLine(), 0);

    tabs.Select(0);
    docs.OpenFilesTabChange();
    EXPECT_EQ(view.caption, dir.File("a.bas"));
    EXPECT_EQ(pad.Selection(), (TUndoSelection{11, 11}));
    EXPECT_EQ(pad.TopLine(), 50);
    EXPECT_EQ(docs.Panel(1), "Modified");
    EXPECT_EQ(docs.Panel(0), "     2:   4");
    pad.Undo();
    std::string loaded;
    for (char c : many)
        if (c != '\n') loaded += c;
    EXPECT_EQ(pad.Text(), loaded) << "undo of the edit in this tab";

    tabs.Select(1);
    docs.OpenFilesTabChange();
    EXPECT_EQ(pad.Text(), "Yb");
    pad.Undo();
    EXPECT_EQ(pad.Text(), "b");
    EXPECT_GT(view.outputRefreshes, 0);
}

TEST_F(DocumentsFixture, StatusShowsModeAndToolSettings) {
    dir.Write("INC/KBX.INI", "[EXT_PROG]\r\nNAME=MyProg\r\n[BOOTLOADER]\r\nTYPE=FERNWICK\r\n");
    docs.StatusRefresh();
    EXPECT_EQ(view.status.extProgrammerName, "MyProg");
    EXPECT_EQ(view.status.extBootloaderName, "Undefined");
    EXPECT_EQ(view.status.programmerType, "ORLA");
    EXPECT_EQ(view.status.bootloaderType, "FERNWICK");
    EXPECT_EQ(globals.ExtProgrammerName(), "MyProg");
    EXPECT_EQ(docs.Panel(5), " Insert");
    pad.SetInsertMode(false);
    docs.StatusRefresh();
    EXPECT_EQ(docs.Panel(5), " Overwrite");
    pad.SetReadOnly(true);
    docs.StatusRefresh();
    EXPECT_EQ(docs.Panel(5), " Read only");
    EXPECT_FALSE(view.status.hasSelection);
    pad.SetReadOnly(false);
    Type("abc");
    pad.SetSelection(0, 2);
    docs.StatusRefresh();
    EXPECT_TRUE(view.status.hasSelection);
    EXPECT_FALSE(view.status.canSearchAgain);
    history.SetLastSearchText("abc");
    docs.StatusRefresh();
    EXPECT_TRUE(view.status.canSearchAgain);
}

TEST_F(DocumentsFixture, TransientMessageReturnsThePanelAfterTheTimer) {
    docs.StatusRefresh();
    docs.ShowTransientMessage("first");
    EXPECT_EQ(view.panels[5], "  first");
    EXPECT_EQ(view.timer, 2000);
    docs.ShowTransientMessage("second");
    Type("x"); // a refresh while the message shows keeps it
    EXPECT_EQ(view.panels[5], "  second");
    pad.SetInsertMode(false);
    docs.InfoTimerTimer();
    EXPECT_EQ(view.panels[5], " Overwrite");
    EXPECT_EQ(view.timer, 0);
}

TEST_F(DocumentsFixture, DroppedFilesAreOpenedNotInsertedAsText) {
    std::string dropped = dir.Write("drop.bas", "dropped");
    pad.SetOptions(pad.Options() | smoProcessDroppedFiles);
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        TDocumentTabs::Lexipad1DataDrop(types);
    };
    pad.OnFilesDropped = [this](TCustomLexipad&, std::vector<std::string>& files, TPoint) {
        docs.Lexipad1FilesDropped(files);
    };
    Type("kept");
    TDropObj data;
    data.files = {dropped};
    TDropRequest request;
    request.available = stFiles;
    EXPECT_EQ(pad.DropData(data, request), TDropResult::FilesTaken);
    EXPECT_EQ(pad.Text(), "dropped");
    EXPECT_EQ(docs.Document(0).Store().Text(), "kept");

    TSourceTypes text = stText | stInsertAsText | stDrop;
    TDocumentTabs::Lexipad1DataDrop(text);
    EXPECT_EQ(text, stText | stInsertAsText | stDrop) << "text drops are left alone";
}

// Save As onto a file another tab shows: that tab is closed first (after its
// own save question), or nothing is written.
TEST_F(DocumentsFixture, SaveAsOntoAFileOpenInAnotherTabClosesThatTabFirst) {
    std::string a = dir.Write("a.bas", "PRINT A\r\n");
    std::string b = dir.Write("b.bas", "PRINT B\r\n");
    OpenViaDialog(a);
    OpenViaDialog(b);
    const std::string question =
        "File \"" + a + "\" is open in another tab\rClose that tab and save over the file ?";
    dialogs.QueueFile(a);
    prompts.QueueAnswer(TPromptButton::No);
    EXPECT_FALSE(docs.SaveAs1Click());
    EXPECT_EQ(PromptTexts().back(), question);
    EXPECT_EQ(dir.Read("a.bas"), "PRINT A\r\n");
    EXPECT_EQ(DocumentNames(), (Names{a, b}));

    // The other tab is modified: its own question comes next, and Cancel there
    // stops the Save As with both tabs as they were.
    tabs.Select(0);
    docs.OpenFilesTabChange();
    Type("' a edited\r");
    tabs.Select(1);
    docs.OpenFilesTabChange();
    dialogs.QueueFile(a);
    prompts.QueueAnswer(TPromptButton::Yes);
    prompts.QueueAnswer(TPromptButton::Cancel);
    EXPECT_FALSE(docs.SaveAs1Click());
    EXPECT_EQ(DocumentNames(), (Names{a, b}));
    EXPECT_EQ(docs.Current()->FileName(), b);

    dialogs.QueueFile(a);
    prompts.QueueAnswer(TPromptButton::Yes);
    prompts.QueueAnswer(TPromptButton::No); // the other tab's changes are dropped
    EXPECT_TRUE(docs.SaveAs1Click());
    EXPECT_EQ(DocumentNames(), (Names{a}));
    EXPECT_EQ(docs.Current()->FileName(), a);
    EXPECT_EQ(dir.Read("a.bas"), "PRINT B\r\n");
    EXPECT_EQ(pad.Text(), "PRINT B\r");
}
