// The program-memory, EEPROM and ASCII table windows: grid contents from the
// memory image, bounds kept in KBX.INI, showing, closing and the table text.
#include "core/base/FileUtils.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/THexLoader.h"
#include "core/viewers/WindowBounds.h"
#include "qt/editor/TLexipad.h"
#include "qt/viewers/TASCII.h"
#include "qt/viewers/TASMList.h"
#include "qt/viewers/TDATAList.h"
#include "qt/viewers/THEXList.h"
#include "qt/viewers/TOutputViews.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>

using namespace quarno;

namespace {

// The output windows and their View menu items, as the main window has them.
struct Views {
    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TAppSeams seams{prompts, dialogs, processes, desktop};
    TASMList asmList{seams};
    THEXList hexList;
    TDATAList dataList;
    TASCII ascii;
    QAction showAsm, showHex, showData;
    TOutputViews views{asmList, hexList, dataList, ascii, prompts};
    Views() {
        for (QAction* item : {&showAsm, &showHex, &showData})
            item->setCheckable(true);
        views.SetMenuItems(&showAsm, &showHex, &showData);
    }
};

} // namespace

class OutputWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void blankProgramGridIsAnErasedDevice();
    void gridsShowTheLoadedImage();
    void typedCellsGoAtTheNextFill();
    void boundsComeFromTheConfigurationFile();
    void closingWritesTheBoundsAndTellsTheMainWindow();
    void asciiTableIsReadOnlyAndCancelHidesIt();
    void viewTogglesShowFillAndHide();
    void refreshTouchesOnlyVisibleWindows();
    void brokenHexFileEndsTheShowCommand();
    void reassemblingRefreshesTheMemoryViews();
};

void OutputWindowsTest::blankProgramGridIsAnErasedDevice() {
    THEXList window;
    QCOMPARE(window.Grid()->rowCount(), 1024);
    QCOMPARE(window.Grid()->columnCount(), 9);
    window.Fill(FillHexGridBlank());
    QCOMPARE(window.CellText(0, 0), std::string("0000"));
    QCOMPARE(window.CellText(1023, 0), std::string("1FF8"));
    QCOMPARE(window.CellText(1023, 8), std::string("3FFF"));
    QVERIFY(!(window.Grid()->item(5, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(window.Grid()->item(5, 3)->flags() & Qt::ItemIsEditable);
    QCOMPARE(window.windowTitle(), QString("Program Data"));
    QVERIFY(!window.isEnabled());
}

void OutputWindowsTest::gridsShowTheLoadedImage() {
    THexImage image;
    THexLoader loader(image);
    loader.LoadHexLines({":0400000001020304F2", ":02420000AB0011", ":00000001FF"});
    THEXList program;
    program.Fill(FillHexGrid(image));
    QCOMPARE(program.CellText(0, 1), std::string("0201"));
    QCOMPARE(program.CellText(0, 2), std::string("0403"));
    QCOMPARE(program.CellText(0, 3), std::string("3FFF"));
    TDATAList eeprom;
    QCOMPARE(eeprom.Grid()->columnCount(), 17);
    QCOMPARE(eeprom.Grid()->columnWidth(0), 32);
    eeprom.Fill(FillEepromGrid(image));
    QCOMPARE(eeprom.CellText(0, 0), std::string("2100"));
    QCOMPARE(eeprom.CellText(0, 1), std::string("AB"));
    QCOMPARE(eeprom.CellText(7, 0), std::string("2170"));
    QCOMPARE(eeprom.CellText(7, 16), std::string("FF"));
}

void OutputWindowsTest::typedCellsGoAtTheNextFill() {
    TDATAList eeprom;
    eeprom.Fill(FillEepromGridBlank());
    eeprom.Grid()->item(2, 4)->setText("12");
    QCOMPARE(eeprom.CellText(2, 4), std::string("12"));
    eeprom.Fill(FillEepromGridBlank());
    QCOMPARE(eeprom.CellText(2, 4), std::string("FF"));
}

void OutputWindowsTest::boundsComeFromTheConfigurationFile() {
    test::TempDir folder;
    TProfileFile config(folder.File("KBX.INI"));
    WriteWindowBounds(config, kHexListBoundsKeys, {40, 50, 360, 420});
    THEXList window;
    window.FormCreate(folder.File("KBX.INI"));
    QCOMPARE(window.geometry(), QRect(40, 50, 360, 420));
}

void OutputWindowsTest::closingWritesTheBoundsAndTellsTheMainWindow() {
    test::TempDir folder;
    TDATAList window;
    window.FormCreate(folder.File("KBX.INI"));
    bool told = false;
    window.OnClosed = [&told] { told = true; };
    window.setEnabled(true);
    window.show();
    window.setGeometry(30, 60, 330, 180);
    window.close();
    QVERIFY(told);
    QVERIFY(!window.isVisible());
    TProfileFile config(folder.File("KBX.INI"));
    TWindowBounds bounds = ReadWindowBounds(config, kDataListBoundsKeys);
    QCOMPARE(bounds.width, window.width());
    QCOMPARE(bounds.height, window.height());
    QCOMPARE(bounds.left, window.geometry().left());
}

void OutputWindowsTest::asciiTableIsReadOnlyAndCancelHidesIt() {
    TASCII window;
    QVERIFY(window.ASCIIText()->isReadOnly());
    QStringList lines = window.ASCIIText()->toPlainText().split('\n');
    QCOMPARE(lines.size(), 263);
    QCOMPARE(lines[65], QString("A       65      41"));
    QCOMPARE(window.Edit1()->text(), QString("chr     dec#    hex#    ctrl"));
    QVERIFY(!window.isEnabled());
    window.ShowTable();
    QVERIFY(window.isVisible() && window.isEnabled());
    window.CancelButton()->click();
    QVERIFY(!window.isVisible());
    QVERIFY(!window.isEnabled());
}

void OutputWindowsTest::viewTogglesShowFillAndHide() {
    Views v;
    test::TempDir folder;
    std::string hex = folder.File("PROG.HEX");
    v.views.ShowHexClick(hex); // no HEX file: an erased device
    QVERIFY(v.showHex.isChecked() && v.hexList.isVisible() && v.hexList.isEnabled());
    QCOMPARE(v.hexList.CellText(0, 1), std::string("3FFF"));
    v.views.ShowHexClick(hex);
    QVERIFY(!v.showHex.isChecked() && !v.hexList.isVisible() && !v.hexList.isEnabled());
    WriteFileSafely(hex, ":0400000001020304F2\r\n:00000001FF\r\n");
    v.views.ShowDataClick(hex);
    v.views.ShowHexClick(hex);
    QCOMPARE(v.hexList.CellText(0, 1), std::string("0201"));
    QCOMPARE(v.dataList.CellText(0, 1), std::string("FF"));
    v.dataList.close(); // the close box clears the check mark
    QVERIFY(!v.showData.isChecked() && !v.dataList.isVisible());
    v.views.ShowAsmClick(folder.File("PROG.ASM"));
    QVERIFY(v.showAsm.isChecked() && v.asmList.isVisible());
    v.views.HideAll();
    QVERIFY(!v.showAsm.isChecked() && !v.showHex.isChecked());
    QVERIFY(!v.asmList.isVisible() && !v.hexList.isVisible());
}

void OutputWindowsTest::refreshTouchesOnlyVisibleWindows() {
    Views v;
    test::TempDir folder;
    std::string hex = folder.File("PROG.HEX");
    std::string listing = folder.File("PROG.ASM");
    v.views.ShowHexClick(hex);
    v.dataList.Fill(FillEepromGridBlank());
    v.dataList.Grid()->item(0, 1)->setText("77");
    WriteFileSafely(hex, ":0400000001020304F2\r\n");
    WriteFileSafely(listing, "  nop\r\n");
    v.views.RefreshListing(listing);
    v.views.RefreshMemory(hex);
    QCOMPARE(v.hexList.CellText(0, 2), std::string("0403"));
    QCOMPARE(v.dataList.CellText(0, 1), std::string("77")); // hidden: left alone
    QCOMPARE(v.asmList.ASMText()->Text(), std::string());
}

void OutputWindowsTest::brokenHexFileEndsTheShowCommand() {
    Views v;
    test::TempDir folder;
    std::string hex = folder.File("PROG.HEX");
    WriteFileSafely(hex, ":0400000001020G04F2\r\n");
    v.views.ShowHexClick(hex);
    QCOMPARE(v.prompts.Boxes().size(), size_t(1));
    QVERIFY(v.showHex.isChecked());
    QVERIFY(!v.hexList.isVisible());
}

// The assembler (recorded here) leaves a new HEX file beside the listing;
// the shown program view reloads it, the listing stays as edited.
void OutputWindowsTest::reassemblingRefreshesTheMemoryViews() {
    Views v;
    test::TempDir folder;
    std::filesystem::create_directories(folder.File("INC"));
    folder.Write("INC/MPASMWIN.EXE", "MZ");
    v.asmList.SetIncFolder(folder.Folder() + "INC/");
    std::string hex = folder.File("PROG.HEX");
    std::string listing = folder.File("PROG.ASM");
    WriteFileSafely(listing, "  nop\r\n");
    v.views.ShowAsmClick(listing);
    v.views.ShowHexClick(hex);
    QCOMPARE(v.hexList.CellText(0, 2), std::string("3FFF"));
    WriteFileSafely(hex, ":0400000001020304F2\r\n");
    v.asmList.ASMText()->SetText("  clrw\r");
    v.asmList.Assemble1Click();
    QCOMPARE(v.processes.Calls().size(), size_t(1));
    QCOMPARE(v.hexList.CellText(0, 2), std::string("0403"));
    QCOMPARE(v.asmList.ASMText()->Text(), std::string("  clrw\r"));
}

QTEST_MAIN(OutputWindowsTest)
#include "OutputWindowsTest.moc"
