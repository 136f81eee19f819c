// The main window's Properties command: the options dialog on the BASIC
// language, applied to the editor after OK and kept in the per-user store
// for the next start.
#include "core/base/TMemoryStream.h"
#include "core/highlight/TLexipadParser.h"
#include "core/lexicon/ShortCuts.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/dialogs/TKVSColorButton.h"
#include "qt/dialogs/TOptionsDialog.h"
#include "qt/dialogs/TTLP_KVSColorButtonPalette.h"
#include "support/MainWindowRig.h"
#include "support/ModalScript.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace quarno;
using quarno::test::IdeFolder;
using quarno::test::WhenModal;
using Window = quarno::test::MainWindowRig;

namespace {

std::string StreamForm(const TLP_Settings& settings) {
    TMemoryStream stream;
    settings.SaveToStream(stream);
    return stream.Bytes();
}

TLP_Settings& BasicSettings(Window& window) {
    return window.repository.FindParser("MCUBASIC")->Settings();
}

template <typename T> T* Child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

void ChooseRow(QListWidget* list, const char* text) {
    QList<QListWidgetItem*> found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), text);
    list->setCurrentItem(found.first());
}

bool Green(QRgb c) {
    return qGreen(c) > 200 && qRed(c) < 80 && qBlue(c) < 80;
}

int CountGreen(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Green(image.pixel(x, y));
    return count;
}

// Shows the window and waits for its first document.
void Start(Window& window) {
    window.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.main));
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);
}

} // namespace

class MainWindowOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void colourChangeReachesTheEditorsPixels();
    void templateAddedIsExpandedInTheEditor();
    void settingsSurviveANewMainWindow();
    void cancelLeavesTheSettingsByteForByte();
};

void MainWindowOptionsTest::colourChangeReachesTheEditorsPixels() {
    IdeFolder folder;
    Window window(folder);
    Start(window);
    TLexipad* editor = window.main.Lexipad1();
    editor->SetText("' a comment\r");
    QCOMPARE(CountGreen(editor->RenderView()), 0);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        ChooseRow(Child<QListWidget>(d, "SynElementsBox"), "Comment");
        auto* foreground = Child<TKVSColorButton>(d, "ForegroundButton");
        foreground->click();
        foreground->Palette()->Cell(14)->click(); // green
        d.OkButton()->click();
    });
    window.main.Properties1Click();
    QVERIFY(CountGreen(editor->RenderView()) > 0);
}

void MainWindowOptionsTest::templateAddedIsExpandedInTheEditor() {
    IdeFolder folder;
    Window window(folder);
    Start(window);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        Child<QLineEdit>(d, "cteNameBox")->setText("fori");
        d.TemplateEditor()->SetText("FOR I = 1 TO 10\rNEXT I");
        Child<QPushButton>(d, "cteAddButton")->click();
        d.OkButton()->click();
    });
    window.main.Properties1Click();
    TLexipad* editor = window.main.Lexipad1();
    editor->setFocus();
    QTest::keyClicks(editor, "fori");
    QTest::keyClick(editor, Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(window.Text(), QString("FOR I = 1 TO 10\rNEXT I"));
}

void MainWindowOptionsTest::settingsSurviveANewMainWindow() {
    IdeFolder folder;
    {
        Window first(folder);
        Start(first);
        WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
            Child<QLineEdit>(d, "LeftBorderWidthBox")->setText("50");
            Child<QCheckBox>(d, "ShowAllCharsBox")->setChecked(true);
            ChooseRow(Child<QListWidget>(d, "SynElementsBox"), "Comment");
            Child<QCheckBox>(d, "ItalicBox")->setChecked(true);
            Child<QLineEdit>(d, "cteNameBox")->setText("ift");
            d.TemplateEditor()->SetText("IF  THEN\rENDIF");
            Child<QPushButton>(d, "cteAddButton")->click();
            ChooseRow(Child<QListWidget>(d, "CommandDescListBox"), "Redo");
            Child<QPushButton>(d, "DeleteKeyButton")->click();
            d.OkButton()->click();
        });
        first.main.Properties1Click();
        QCOMPARE(BasicSettings(first).Gutter(), 50);
    }
    Window second(folder);
    QVERIFY(BasicSettings(second).Gutter() != 50); // read at the first showing
    Start(second);
    const TLP_Settings& settings = BasicSettings(second);
    QCOMPARE(settings.Gutter(), 50);
    QVERIFY(settings.HasOption(smoShowAllChars));
    QCOMPARE(settings.Style(6).fontStyle & kFsItalic, int(kFsItalic));
    QCOMPARE(settings.Templates().Lookup("ift").value_or(""), std::string("IF  THEN\rENDIF"));
    QVERIFY(settings.Keys().Bindings(42).empty());
    QCOMPARE(second.main.Lexipad1()->Gutter(), 50);
}

void MainWindowOptionsTest::cancelLeavesTheSettingsByteForByte() {
    IdeFolder folder;
    Window window(folder);
    Start(window);
    const std::string before = StreamForm(BasicSettings(window));
    TLexipad* editor = window.main.Lexipad1();
    editor->SetText("' comment\rHIGH PORTB.0\r");
    QTRY_VERIFY(!editor->RenderView().isNull());
    QImage shown = editor->RenderView();
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        for (const char* box : {"DispWrapBox", "VisGutterBox", "EdLineNosBox", "UseTabBox"})
            Child<QCheckBox>(d, box)->click();
        Child<QLineEdit>(d, "LeftBorderWidthBox")->setText("90");
        Child<QToolButton>(d, "Up")->click();
        auto* background = Child<TKVSColorButton>(d, "BackgroundButton");
        background->click();
        background->Palette()->Cell(9)->click();
        Child<QLineEdit>(d, "cteNameBox")->setText("x");
        Child<QPushButton>(d, "cteAddButton")->click();
        ChooseRow(Child<QListWidget>(d, "CommandDescListBox"), "Cut to clipboard");
        Child<QPushButton>(d, "DeleteKeyButton")->click();
        Child<QPushButton>(d, "CancelButton")->click();
    });
    window.main.Properties1Click();
    QCOMPARE(StreamForm(BasicSettings(window)), before);
    QCOMPARE(editor->RenderView(), shown);
    QVERIFY(!window.registry.ReadString(TParserRepository::kRegistryKey, "Highlighting - MCUBASIC")
                 .has_value()); // nothing saved
}

QTEST_MAIN(MainWindowOptionsTest)
#include "MainWindowOptionsTest.moc"
