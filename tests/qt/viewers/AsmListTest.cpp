// The assembler listing window: loading the listing, the context menu's
// enabling, and both assemble commands with what they save and start.
#include "core/base/FileUtils.h"
#include "qt/editor/TLexipad.h"
#include "qt/viewers/TASMList.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

using namespace quarno;

namespace {

struct Fixture {
    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    TAppSeams seams{prompts, dialogs, processes};
    test::TempDir folder;
    TASMList window{seams};
    Fixture() { window.SetIncFolder(folder.Folder() + "INC/"); }
};

QAction* Item(TASMList& window, const char* name) {
    return window.ASM_POPUP()->findChild<QAction*>(QString::fromLatin1(name));
}

const std::vector<std::string> kSwitches = {"/e+", "/l+", "/x-", "/w2", "/c-", "/m-", "/q"};

} // namespace

class AsmListTest : public QObject {
    Q_OBJECT
private slots:
    void listingIsLoadedOrTheEditorEmptied();
    void popupEnablesCutCopyAndPasteForTheEditorsState();
    void reassembleSavesTheTextAndStartsTheAssembler();
    void reassembleAsCancelledDoesNothing();
    void reassembleAsSavesToTheChosenFileAndAssemblesTheListing();
    void failedSaveIsReportedAndNothingStarts();
};

void AsmListTest::listingIsLoadedOrTheEditorEmptied() {
    Fixture f;
    std::string path = f.folder.File("TEST.ASM");
    WriteFileSafely(path, "  movlw 10\r\n  decf@f\r\n");
    f.window.LoadListing(path);
    QCOMPARE(f.window.ASMText()->Text(), std::string("  movlw 10\r  decf@f\r"));
    QCOMPARE(f.window.ASMText()->ActiveParser(), 1);
    QVERIFY(f.window.ASMText()->Parser(1) != nullptr);
    f.window.LoadListing(f.folder.File("MISSING.ASM"));
    QCOMPARE(f.window.ASMText()->Text(), std::string());
    QCOMPARE(f.window.windowTitle(), QString("ASSEMBLER Listing"));
}

void AsmListTest::popupEnablesCutCopyAndPasteForTheEditorsState() {
    Fixture f;
    f.window.ASMText()->SetText("abc");
    QApplication::clipboard()->clear();
    f.window.ASM_POPUPPopup();
    QVERIFY(!Item(f.window, "Cut1")->isEnabled());
    QVERIFY(!Item(f.window, "Copy1")->isEnabled());
    QVERIFY(!Item(f.window, "Paste1")->isEnabled());
    QVERIFY(Item(f.window, "Assemble1")->isEnabled());
    f.window.ASMText()->SetSelection(0, 2);
    QApplication::clipboard()->setText("x");
    f.window.ASM_POPUPPopup();
    QVERIFY(Item(f.window, "Cut1")->isEnabled());
    QVERIFY(Item(f.window, "Paste1")->isEnabled());
}

void AsmListTest::reassembleSavesTheTextAndStartsTheAssembler() {
    Fixture f;
    std::string path = f.folder.File("TEST.ASM");
    f.window.LoadListing(path);
    f.window.ASMText()->SetText("  nop\r");
    f.window.Assemble1Click();
    QCOMPARE(ReadWholeFile(path), std::string("  nop\r\n"));
    QCOMPARE(f.processes.Calls().size(), size_t(1));
    const auto& call = f.processes.Calls()[0];
    QVERIFY(call.waited);
    QCOMPARE(call.path, f.folder.Folder() + "INC/MPASMWIN.EXE");
    std::vector<std::string> args{path};
    args.insert(args.end(), kSwitches.begin(), kSwitches.end());
    QCOMPARE(call.args, args);
}

void AsmListTest::reassembleAsCancelledDoesNothing() {
    Fixture f;
    f.window.LoadListing(f.folder.File("TEST.ASM"));
    f.window.Assemble_ASClick(); // no file queued: the dialog is cancelled
    QCOMPARE(f.dialogs.Requests().size(), size_t(1));
    QCOMPARE(f.dialogs.Requests()[0].options.filter, std::string("ASSEMBLER files|*.asm"));
    QCOMPARE(f.dialogs.Requests()[0].options.fileName, f.folder.File("TEST.ASM"));
    QVERIFY(f.processes.Calls().empty());
    QVERIFY(!FileExists(f.folder.File("TEST.ASM")));
}

void AsmListTest::reassembleAsSavesToTheChosenFileAndAssemblesTheListing() {
    Fixture f;
    std::string listing = f.folder.File("TEST.ASM");
    f.window.LoadListing(listing);
    f.window.ASMText()->SetText("  clrw\r");
    f.dialogs.QueueFile(f.folder.File("OTHER.ASM"));
    f.window.Assemble_ASClick();
    QCOMPARE(ReadWholeFile(f.folder.File("OTHER.ASM")), std::string("  clrw\r\n"));
    QVERIFY(!FileExists(listing));
    QCOMPARE(f.processes.Calls().size(), size_t(1));
    QCOMPARE(f.processes.Calls()[0].args.front(), listing);
    QCOMPARE(f.processes.Calls()[0].args[1], std::string("/aINHX8M"));
}

void AsmListTest::failedSaveIsReportedAndNothingStarts() {
    Fixture f;
    f.window.LoadListing(""); // no document: no listing path
    f.window.ASMText()->SetText("  nop\r");
    f.window.Assemble1Click();
    QCOMPARE(f.prompts.Boxes().size(), size_t(1));
    QVERIFY(f.processes.Calls().empty());
}

QTEST_MAIN(AsmListTest)
#include "AsmListTest.moc"
