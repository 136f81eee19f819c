// The main window's outside programs: the Run menus built at the first
// activation and their hand-back, the serial terminal, the calculator, help,
// the user guide and the about box, and a device failure of a programmer.
#include "core/app/AppVersion.h"
#include "core/app/TDocumentTabs.h"
#include "core/toolchain/TToolCommands.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/dialogs/TAboutForm.h"
#include "support/MainWindowRig.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;
using Words = std::vector<std::string>;

namespace {

// The captions of a Run menu's items, "" for an empty one.
QStringList Captions(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << action->text();
    return captions;
}

// Shows the window and waits for its first activation (which opens a new
// document).
void Activate(Window& window) {
    window.main.show();
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);
}

QAction* RunItem(Window& window, const char* menu, const char* caption) {
    for (QAction* action : window.main.findChild<QMenu*>(menu)->actions())
        if (action->text() == QString::fromLatin1(caption)) return action;
    return nullptr;
}

// Every device node is read-only and belongs to "dialout".
class FakeDevices : public IDeviceAccess {
public:
    bool Writable(const std::string&) const override { return false; }
    std::string OwningGroup(const std::string&) const override { return "dialout"; }
};

void WriteHandBack(const IdeFolder& folder, const QByteArray& text) {
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/RES_FILE.TXT", text));
}

} // namespace

class MainWindowToolsTest : public QObject {
    Q_OBJECT
private slots:
    void runMenusStayHiddenWithoutPrograms();
    void twoProgramsGiveTwoItemsInEachRunMenu();
    void aRunItemInsertsTheHandBackAtTheCaret();
    void terminalCalculatorAndHelpSayWhatIsMissing();
    void theUserGuideShipsAndOpensThroughTheDesktop();
    void theAboutBoxShowsTheProductAndThisBuild();
    void aProgrammerFailingOnADeviceIsExplained();
};

void MainWindowToolsTest::runMenusStayHiddenWithoutPrograms() {
    IdeFolder folder;
    Window window(folder);
    Activate(window);
    for (const char* name : {"Run1", "Run2"}) {
        QMenu* run = window.main.findChild<QMenu*>(name);
        QVERIFY(!run->menuAction()->isVisible());
        QVERIFY(!run->menuAction()->isEnabled());
        QCOMPARE(Captions(run), QStringList({""})); // the placeholder
    }
}

void MainWindowToolsTest::twoProgramsGiveTwoItemsInEachRunMenu() {
    IdeFolder folder;
    QDir(folder.File("INC")).mkpath("EXTERNAL PROGRAMS/TOOLS");
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/header.exe", ""));
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/A&B.EXE", ""));
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/notes.txt", ""));
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/TOOLS/C.EXE", ""));
    Window window(folder);
    Activate(window);
    for (const char* name : {"Run1", "Run2"}) {
        QMenu* run = window.main.findChild<QMenu*>(name);
        QVERIFY(run->menuAction()->isVisible());
        QVERIFY(run->menuAction()->isEnabled());
        QCOMPARE(Captions(run), QStringList({"A&&B.EXE", "header.exe"}));
        for (QAction* item : run->actions())
            QVERIFY(item->isEnabled());
        // The separator before it is shown too.
        QWidget* parent = run->parentWidget();
        QList<QAction*> items = parent->actions();
        qsizetype at = items.indexOf(run->menuAction());
        QVERIFY(at > 0 && items[at - 1]->isSeparator() && items[at - 1]->isVisible());
    }
}

void MainWindowToolsTest::aRunItemInsertsTheHandBackAtTheCaret() {
    IdeFolder folder;
    QDir(folder.File("INC")).mkpath("EXTERNAL PROGRAMS");
    QVERIFY(folder.Write("INC/EXTERNAL PROGRAMS/HEADER.EXE", ""));
    Window window(folder);
    Activate(window);
    window.main.Lexipad1()->SetText("ab");
    window.main.Lexipad1()->SetSelection(1, 1);
    WriteHandBack(folder, "' one\n' two\n");
    RunItem(window, "Run2", "HEADER.EXE")->trigger();
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QVERIFY(window.processes.Calls()[0].waited);
    QCOMPARE(QString::fromStdString(window.processes.Calls()[0].path),
             folder.File("INC/EXTERNAL PROGRAMS/HEADER.EXE"));
    QCOMPARE(window.Text(), QString("a' one\r' two\rb"));
    QCOMPARE(folder.Lines("INC/EXTERNAL PROGRAMS/RES_FILE.TXT"), QStringList());
    QVERIFY(QFile::exists(folder.File("INC/EXTERNAL PROGRAMS/RES_FILE.TXT")));
    QCOMPARE(window.main.PanelText(1), QString("Modified"));

    // The file is empty the next time; a tool that has gone still hands back.
    RunItem(window, "Run1", "HEADER.EXE")->trigger();
    QCOMPARE(window.Text(), QString("a' one\r' two\rb"));
    QVERIFY(QFile::remove(folder.File("INC/EXTERNAL PROGRAMS/HEADER.EXE")));
    WriteHandBack(folder, "gone\n");
    RunItem(window, "Run1", "HEADER.EXE")->trigger();
    QCOMPARE(window.processes.Calls().size(), size_t(2));
    QCOMPARE(window.Text(), QString("a' one\r' two\rgone\rb"));
    QVERIFY(window.prompts.Boxes().empty());
}

void MainWindowToolsTest::terminalCalculatorAndHelpSayWhatIsMissing() {
    IdeFolder folder;
    Window window(folder);
    const std::string terminal = folder.File("INC/TERM.EXE").toStdString();
    window.processes.FailToStart(terminal);
    window.Trigger("SerialTerminal1");
    QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.File("nowhere").toLocal8Bit());
    window.Trigger("Calculator1");
    qputenv("PATH", path);
    window.Trigger("HelpMenuItem");
    const std::string help = folder.File("INC/QUARNP_HELP.HLP").toStdString();
    QCOMPARE(window.PromptTexts(),
             (Words{"Problem Running " + terminal + ": the file does not exist",
                    "Problem Running gnome-calculator, kcalc, mate-calc, galculator, "
                    "qalculate-gtk, qalculate-qt, speedcrunch or xcalc: no desktop calculator "
                    "is installed; install one of them, for example the package "
                    "gnome-calculator",
                    "Problem Running " + help + ": the file does not exist"}));
    for (const auto& box : window.prompts.Boxes())
        QCOMPARE(box.kind, TPromptKind::Error);

    QVERIFY(folder.Write("INC/QUARNP_HELP.HLP", "help"));
    window.Trigger("HelpMenuItem");
    QCOMPARE(window.desktop.documents, Words{help});
    QVERIFY(window.main.findChild<QAction*>("SerialTerminal1")->isEnabled());
}

void MainWindowToolsTest::theUserGuideShipsAndOpensThroughTheDesktop() {
    QFile shipped(QStringLiteral(QUARNO_APP_DIR "/INC/") + kUserGuideFileName);
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QString guide = QString::fromUtf8(shipped.readAll());
    for (const char* topic : {"RES_FILE.TXT", "quarno-tool", "F8", "dialout", "gpasm", "wine",
                              "LINE_PATTERN", "Shift+F8"})
        QVERIFY2(guide.contains(QLatin1String(topic)), topic);

    IdeFolder folder;
    QVERIFY(QFile::copy(shipped.fileName(), folder.File("INC/USER_GUIDE.html")));
    Window window(folder);
    window.Trigger("UserGuide1");
    QCOMPARE(window.desktop.documents, Words{folder.File("INC/USER_GUIDE.html").toStdString()});
    QVERIFY(window.prompts.Boxes().empty());
    QCOMPARE(window.main.findChild<QAction*>("UserGuide1")->text(), QString("User &Guide"));
}

void MainWindowToolsTest::theAboutBoxShowsTheProductAndThisBuild() {
    test::TRecordingDesktop desktop;
    TAboutForm about(desktop);
    QCOMPARE(about.windowTitle(), QString("QUARNO+"));
    auto text = [&about](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    QCOMPARE(text("ProductName"), QString("QUARNO+ Compiler"));
    QCOMPARE(text("Version"), QString("Version 2.0"));
    QCOMPARE(text("Comments"), QString("BASIC compiler for the 12, 14 and 16-bit core devices"));
    QCOMPARE(text("WebSite"), QString::fromLatin1(TAboutForm::kWebSite));
    QVERIFY(
        text("BuildLine")
            .startsWith(QString::fromStdString(ProductVersionText()) + " for Linux, built with "));
    QVERIFY(ProductVersionText().rfind("QUARNO+ Editor ", 0) == 0);
    QVERIFY(text("BuildLine").endsWith(QStringLiteral(" and Qt ") + qVersion()));
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);

    about.findChild<QToolButton*>("ProgramIcon")->click();
    QCOMPARE(desktop.urls, Words{TAboutForm::kWebSite});

    // OK hides the box and ends its modal run.
    QTimer::singleShot(0, &about, [&about] { about.findChild<QPushButton*>("OKButton")->click(); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
    QVERIFY(about.isHidden());
}

// A fake device folder whose ttyUSB0 the user may not write.
void MainWindowToolsTest::aProgrammerFailingOnADeviceIsExplained() {
    IdeFolder folder;
    QDir(folder.File("")).mkpath("dev");
    QVERIFY(folder.Write("dev/ttyUSB0", ""));
    FakeDevices devices;
    Window window(folder);
    const std::string deviceFolder = folder.File("dev/").toStdString();
    window.main.DeviceWatch().SetDevices(devices, deviceFolder);
    const std::string orla = "/opt/orla/ORLAWIN.EXE";
    const TProgramEnd denied{orla, {}, 1, false, "open ttyUSB0: Permission denied\n"};
    window.processes.EndProgram(denied);
    QVERIFY(window.prompts.Boxes().empty()); // not started from this window
    TProfileFile(folder.File("INC/KBX.INI").toStdString()).WriteString("ORLA", "PATHNAME", orla);
    window.OpenSource(folder);
    window.Trigger("ProgramPIC");
    window.processes.EndProgram({orla, {}, 0, false, ""}); // it succeeded
    window.processes.EndProgram(denied);
    QCOMPARE(window.PromptTexts(),
             (Words{"Problem Running " + orla + ": the device " + deviceFolder +
                    "ttyUSB0 is not writable for you; add yourself to the group \"dialout\" "
                    "that owns it (sudo usermod -aG dialout $USER), then log out and log in "
                    "again"}));
    QCOMPARE(window.prompts.Boxes()[0].kind, TPromptKind::Error);
}

QTEST_MAIN(MainWindowToolsTest)
#include "MainWindowToolsTest.moc"
