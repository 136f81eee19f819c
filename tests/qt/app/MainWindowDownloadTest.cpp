// The main window's Download command: the standard downloader waited for
// with the HEX path, the Fernwick one started beside the IDE, and the choice
// stored at once.
#include "core/base/TProfileFile.h"
#include "support/MainWindowRig.h"

#include <QAction>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;
using Words = std::vector<std::string>;

class MainWindowDownloadTest : public QObject {
    Q_OBJECT
private slots:
    void standardDownloaderIsWaitedFor();
    void fernwickStartsBesideTheIde();
};

void MainWindowDownloadTest::standardDownloaderIsWaitedFor() {
    IdeFolder folder;
    Window window(folder);
    std::string hex = window.OpenSource(folder);
    QVERIFY(window.main.findChild<QAction*>("Standard_Bootloader_Option")->isChecked());
    QVERIFY(!window.main.findChild<QAction*>("QUARNO_IR_Bootloader_Option")->isVisible());
    window.Trigger("DownloadItem");
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QVERIFY(window.processes.Calls()[0].waited);
    QCOMPARE(QString::fromStdString(window.processes.Calls()[0].path),
             folder.File("INC/BOOTLOAD.EXE"));
    QCOMPARE(window.processes.Calls()[0].args, Words{hex});
}

void MainWindowDownloadTest::fernwickStartsBesideTheIde() {
    IdeFolder folder;
    Window window(folder);
    TProfileFile ini(folder.File("INC/KBX.INI").toStdString());
    ini.WriteString("FERNWICK", "PATHNAME", "/opt/fernwick/FERNWICK.EXE");
    std::string hex = window.OpenSource(folder);
    window.Trigger("Fernwick_Option");
    QCOMPARE(ini.ReadString("BOOTLOADER", "TYPE", ""), std::string("FERNWICK"));
    QVERIFY(!window.main.findChild<QAction*>("Standard_Bootloader_Option")->isChecked());
    window.Trigger("DownloadItem");
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QVERIFY(!window.processes.Calls()[0].waited);
    QCOMPARE(window.processes.Calls()[0].path, std::string("/opt/fernwick/FERNWICK.EXE"));
    QCOMPARE(window.processes.Calls()[0].args, Words{hex});
}

QTEST_MAIN(MainWindowDownloadTest)
#include "MainWindowDownloadTest.moc"
