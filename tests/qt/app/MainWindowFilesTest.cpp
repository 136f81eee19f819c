// The main window and files other programs change: the real watcher hears of
// a file rewritten on disk (also when it is replaced by renaming), the
// window's activation checks too, and the window's own saves never ask.
#include "core/app/TDocumentTabs.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/base/TQtFileWatcher.h"
#include "qt/editor/TLexipad.h"
#include "support/MainWindowRig.h"

#include <QEvent>
#include <QFile>
#include <QSaveFile>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {

using Window = quarno::test::MainWindowRig;

std::string ChangedQuestion(const QString& path) {
    return "File \"" + path.toStdString() + "\" was changed by another program.\r\nReload it?";
}

// As editors that save by renaming a new file over the old one do.
void ReplaceByRename(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    QVERIFY(file.commit());
}

void RewriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class MainWindowFilesTest : public QObject {
    Q_OBJECT
private slots:
    void aFileRewrittenOutsideIsNoticedByTheWatcherAndReloaded();
    void activationChecksWhenTheWatcherHearsNothing();
};

void MainWindowFilesTest::aFileRewrittenOutsideIsNoticedByTheWatcherAndReloaded() {
    IdeFolder folder;
    Window window(folder);
    window.main.show();
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);
    window.OpenSource(folder);
    QString path = folder.File("prog.bas");
    QVERIFY(window.main.FileWatcher()->WatchedFiles().contains(path));

    window.prompts.QueueAnswer(TPromptButton::Yes);
    ReplaceByRename(path, "LOW PORTB.1\r\n");
    QTRY_COMPARE(window.prompts.Boxes().size(), size_t(1));
    QCOMPARE(window.prompts.Boxes()[0].text, ChangedQuestion(path));
    QCOMPARE(window.Text(), QString("LOW PORTB.1\r"));
    QTRY_VERIFY2(window.main.FileWatcher()->WatchedFiles().contains(path),
                 "the watch is put back on the file that replaced the old one");

    window.prompts.QueueAnswer(TPromptButton::No);
    RewriteInPlace(path, "HIGH PORTB.2 ' changed again\r\n");
    QTRY_COMPARE(window.prompts.Boxes().size(), size_t(2));
    QCOMPARE(window.Text(), QString("LOW PORTB.1\r"));
    QCOMPARE(window.main.PanelText(1), QString("Modified"));

    // The window's own save is not a change made by another program.
    window.Trigger("Save1");
    QCOMPARE(window.main.PanelText(1), QString());
    window.main.CheckFilesOnDisk();
    QCoreApplication::processEvents();
    QCOMPARE(window.prompts.Boxes().size(), size_t(2));
}

void MainWindowFilesTest::activationChecksWhenTheWatcherHearsNothing() {
    IdeFolder folder;
    Window window(folder);
    window.main.show();
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);
    window.OpenSource(folder);
    QString path = folder.File("prog.bas");
    window.main.FileWatcher()->Watch({}); // as on a file system that reports nothing

    window.prompts.QueueAnswer(TPromptButton::Yes);
    RewriteInPlace(path, "TOGGLE PORTB.3 ' rewritten\r\n");
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window.main, &activate);
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    QCOMPARE(window.prompts.Boxes()[0].text, ChangedQuestion(path));
    QCOMPARE(window.Text(), QString("TOGGLE PORTB.3 ' rewritten\r"));

    QCoreApplication::sendEvent(&window.main, &activate);
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
}

QTEST_MAIN(MainWindowFilesTest)
#include "MainWindowFilesTest.moc"
