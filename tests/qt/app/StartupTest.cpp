// Start-up of quarno-ide: the configuration-file check, the windows in their
// order, the main window's creation, first showing and first activation, the
// command line.
#include "core/app/AppVersion.h"
#include "core/app/IdeCommandLine.h"
#include "qt/app/TApplicationForms.h"
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TParserRepository.h"
#include "qt/dialogs/TDummy_Virtual_Form.h"
#include "qt/viewers/TASCII.h"
#include "support/IdeFolder.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"

#include <QImage>
#include <QScreen>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {
constexpr int kRunTimeout = 60000;

// Scripted seams for windows created inside the test.
struct Seams {
    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TAppSeams Bundle() { return TAppSeams(prompts, dialogs, processes, desktop); }
};

QString ClassName(const QWidget* window) {
    return QString::fromLatin1(window->metaObject()->className()).section("::", -1);
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    // The windows made here keep their journals in a folder of the test's.
    void initTestCase() {
        QVERIFY(m_state.isValid());
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
    }
    void missingConfigurationShowsTheFatalErrorBoxAndEnds_data();
    void missingConfigurationShowsTheFatalErrorBoxAndEnds();
    void windowsAreCreatedInOrderAndOnlyTheMainWindowIsShown();
    void mainWindowCreationReadsTheHistoryFile();
    void historyFileThatCannotBeCreatedIsReportedAndStartGoesOn();
    void runOpensTheStartupFileAtFirstActivationAndScreenshots();
    void runWithoutAFileStartsANewDocument();
    void commandLineFilesOpenInOrderAndAMissingOneIsReported();
    void helpVersionAndWrongOptionsAnswerWithoutADisplay();

private:
    QTemporaryDir m_state;
};

void StartupTest::missingConfigurationShowsTheFatalErrorBoxAndEnds_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << "OK";
    QTest::newRow("Cancel") << "Cancel";
}

void StartupTest::missingConfigurationShowsTheFatalErrorBoxAndEnds() {
    QFETCH(QString, answer);
    IdeFolder folder(false);
    QVERIFY(folder.IsValid());
    QProcess ide;
    QProcessEnvironment environment = folder.Environment("events.log");
    environment.insert("QUARNO_PROMPT_ANSWERS", answer);
    ide.setProcessEnvironment(environment);
    ide.start(folder.Executable(), {folder.File("BLINK.bas")});
    QVERIFY(ide.waitForFinished(kRunTimeout));
    QCOMPARE(ide.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ide.exitCode(), 1);
    QCOMPARE(folder.Lines("prompts.log"),
             QStringList{"plain\tFATAL ERROR!\tCould not Find KBX.INI\\rMake sure it is in the INC "
                         "folder and is not Write Protected\\rThe Compiler will now Close\t" +
                         answer});
    // No window was made and nothing was written beside the executable.
    QCOMPARE(folder.Lines("events.log"), QStringList{"first-instance"});
    QVERIFY(!QFile::exists(folder.File("QUARNO.DAT")));
}

void StartupTest::windowsAreCreatedInOrderAndOnlyTheMainWindowIsShown() {
    IdeFolder folder;
    Seams seams;
    TApplicationForms forms(seams.Bundle(), folder.Executable().toStdString(), "/src/a.bas");
    forms.CreateAll();
    QCOMPARE(forms.EditorMainForm()->windowTitle(), QString("QUARNO+"));
    forms.ShowMainForm();

    const QStringList expected{"TEditorMainForm",
                               "TParserRepository",
                               "TEdFindDlg",
                               "TEdReplDlg",
                               "TGotoLineDialog",
                               "TASMList",
                               "TProgPath",
                               "THEXList",
                               "TORLAPath",
                               "TDATAList",
                               "TAboutForm",
                               "TASCII",
                               "TBootloader_Parameters",
                               "TFind_FERNWICK",
                               "TDummy_Virtual_Form"};
    QStringList created;
    for (QWidget* window : forms.InCreationOrder()) {
        created << ClassName(window);
        QVERIFY2(window->isWindow(), qPrintable(ClassName(window)));
        QCOMPARE(window->isVisible(), window == forms.EditorMainForm());
    }
    QCOMPARE(created, expected);

    TEditorMainForm* main = forms.EditorMainForm();
    // The first showing closes the creation's untitled document.
    QCOMPARE(main->windowTitle(), QString("QUARNO+ Compiler"));
    QVERIFY(main->isMaximized());
    QCOMPARE(main->minimumSize(), QSize(400, 200));
    QCOMPARE(main->StartupFile(), std::string("/src/a.bas"));
    QCOMPARE(main->Globals().DeviceName(), std::string("16F84"));
    QCOMPARE(main->Globals().IncFolder(), folder.File("INC/").toStdString());
    QCOMPARE(forms.ParserRepository()->windowTitle(), QString("ParserRepository"));
    QVERIFY(!forms.ASCII()->isEnabled());
    QVERIFY(!forms.Dummy_Virtual_Form()->isEnabled());
    QVERIFY(seams.prompts.Boxes().empty());
}

void StartupTest::mainWindowCreationReadsTheHistoryFile() {
    IdeFolder folder;
    QFile history(folder.File("QUARNO.DAT"));
    QVERIFY(history.open(QIODevice::WriteOnly));
    history.write("[FindHistory]\r\nPORTB\r\n\r\n[MRU]\r\n/src/b.bas\r\n/src/a.bas\r\n\r\n");
    history.close();
    Seams seams;
    TEditorMainForm main(seams.Bundle(), folder.Executable().toStdString(), std::string());
    QVERIFY(main.Persistent());
    QCOMPARE(main.RecentFiles(), (std::vector<std::string>{"/src/b.bas", "/src/a.bas"}));
    QCOMPARE(main.Persistent()->LastSearchText(), std::string());
    QCOMPARE(main.StartupFile(), std::string());

    IdeFolder fresh;
    TEditorMainForm first(seams.Bundle(), fresh.Executable().toStdString(), std::string());
    QVERIFY(QFile::exists(fresh.File("QUARNO.DAT")));
    QVERIFY(first.RecentFiles().empty());
}

void StartupTest::historyFileThatCannotBeCreatedIsReportedAndStartGoesOn() {
    IdeFolder folder;
    // A folder where the history file should be cannot be replaced by a file.
    QVERIFY(QDir(folder.File("")).mkdir("QUARNO.DAT"));
    Seams seams;
    TApplicationForms forms(seams.Bundle(), folder.Executable().toStdString(), std::string());
    forms.CreateAll();
    QCOMPARE(forms.InCreationOrder().size(), size_t(15));
    QVERIFY(!forms.EditorMainForm()->Persistent());
    QVERIFY(forms.EditorMainForm()->RecentFiles().empty());
    QCOMPARE(seams.prompts.Boxes().size(), size_t(1));
    const test::TScriptedPrompts::Box& box = seams.prompts.Boxes()[0];
    QCOMPARE(box.kind, TPromptKind::Error);
    QCOMPARE(box.title, std::string("QUARNO+ Editor"));
    QVERIFY2(box.text.find("Cannot create file") == 0, box.text.c_str());
    QVERIFY2(box.text.find(folder.File("QUARNO.DAT").toStdString()) != std::string::npos,
             box.text.c_str());
}

// Screenshot mode ends the run by itself once the main window has painted.
void StartupTest::runOpensTheStartupFileAtFirstActivationAndScreenshots() {
    IdeFolder folder;
    QVERIFY(folder.Write("BLINK.bas", "PRINT 1\r\n"));
    QProcess ide;
    QProcessEnvironment environment = folder.Environment("events.log");
    environment.insert("QUARNO_SCREENSHOT", folder.File("shot.png"));
    ide.setProcessEnvironment(environment);
    ide.setWorkingDirectory(folder.File(""));
    ide.start(folder.Executable(), {"BLINK.bas"});
    QVERIFY(ide.waitForFinished(kRunTimeout));
    QCOMPARE(ide.exitCode(), 0);

    QStringList events = folder.Lines("events.log");
    QStringList milestones;
    for (const QString& event : events)
        if (!event.startsWith("create ") || event == "create TEditorMainForm") milestones << event;
    // The relative name is remembered as a full one.
    // The screenshot closes the window as a user would.
    QCOMPARE(milestones, (QStringList{"first-instance", "FormCreate", "create TEditorMainForm",
                                      "FormShow", "show TEditorMainForm", "FormActivate",
                                      "open " + folder.File("BLINK.bas"), "FormClose"}));
    QCOMPARE(events.filter("create ").size(), 15);
    QImage shot(folder.File("shot.png"));
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.size(), QGuiApplication::primaryScreen()->size());
    QVERIFY(folder.Lines("prompts.log").isEmpty());
}

void StartupTest::runWithoutAFileStartsANewDocument() {
    IdeFolder folder;
    QProcess ide;
    QProcessEnvironment environment = folder.Environment("events.log");
    // A ".bmp" name takes the format that is quick to write.
    environment.insert("QUARNO_SCREENSHOT", folder.File("shot.bmp"));
    ide.setProcessEnvironment(environment);
    ide.start(folder.Executable(), {});
    QVERIFY(ide.waitForFinished(kRunTimeout));
    QCOMPARE(ide.exitCode(), 0);
    QFile shot(folder.File("shot.bmp"));
    QVERIFY(shot.open(QIODevice::ReadOnly));
    QCOMPARE(shot.read(2), QByteArray("BM"));
    QCOMPARE(QImage(folder.File("shot.bmp"), "BMP").size(),
             QGuiApplication::primaryScreen()->size());
    QStringList events = folder.Lines("events.log");
    QVERIFY(events.contains("new"));
    QVERIFY(events.filter("open ").isEmpty());
    QCOMPARE(events.count("FormActivate"), 1);
}

void StartupTest::commandLineFilesOpenInOrderAndAMissingOneIsReported() {
    IdeFolder folder;
    QVERIFY(folder.Write("a.bas", "PRINT 1\r\n"));
    QVERIFY(folder.Write("c.inc", "PRINT 3\r\n"));
    QProcess ide;
    QProcessEnvironment environment = folder.Environment("events.log");
    environment.insert("QUARNO_SCREENSHOT", folder.File("shot.png"));
    ide.setProcessEnvironment(environment);
    ide.setWorkingDirectory(folder.File(""));
    ide.start(folder.Executable(), {"a.bas", "b.bas", "c.inc"});
    QVERIFY(ide.waitForFinished(kRunTimeout));
    QCOMPARE(ide.exitCode(), 0);

    QCOMPARE(folder.Lines("events.log").filter("open "),
             (QStringList{"open " + folder.File("a.bas"), "open " + folder.File("b.bas"),
                          "open " + folder.File("c.inc")}));
    QCOMPARE(folder.Lines("prompts.log"),
             QStringList{"error\tError\tCannot Find or Open File\\r\"" + folder.File("b.bas") +
                         "\"\tOK"});
    // Both files were open: closing the window listed them as recent files.
    QFile history(folder.File("QUARNO.DAT"));
    QVERIFY(history.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(history.readAll()),
             "[MRU]\r\n" + folder.File("c.inc") + "\r\n" + folder.File("a.bas") + "\r\n\r\n");
}

// --help and --version answer before the window system is touched, so they
// work where no display is.
void StartupTest::helpVersionAndWrongOptionsAnswerWithoutADisplay() {
    IdeFolder folder;
    QProcessEnvironment environment = folder.Environment("events.log");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    struct Case {
        QStringList arguments;
        int status;
        QString out;
        QString err;
    };
    const QString usage = QString::fromStdString(IdeUsageText());
    const QString version = QString::fromStdString(VersionLine("quarno-ide"));
    const QList<Case> cases{
        {{"--help"}, 0, usage, ""},
        {{"a.bas", "-h"}, 0, usage, ""},
        {{"--version"}, 0, version + "\nPortable: all files are in " + folder.File("") + "/\n", ""},
        {{"--frobnicate"}, 2, "", "quarno-ide: unrecognized option '--frobnicate'\n" + usage},
    };
    for (const Case& c : cases) {
        QProcess ide;
        ide.setProcessEnvironment(environment);
        ide.start(folder.Executable(), c.arguments);
        QVERIFY(ide.waitForFinished(kRunTimeout));
        QCOMPARE(ide.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ide.exitCode(), c.status);
        QCOMPARE(QString::fromUtf8(ide.readAllStandardOutput()), c.out);
        QCOMPARE(QString::fromUtf8(ide.readAllStandardError()), c.err);
    }
    QVERIFY(folder.Lines("events.log").isEmpty());
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
