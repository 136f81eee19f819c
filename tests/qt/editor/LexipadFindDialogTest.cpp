// The editing control's built-in find and replace dialogs: opened by the find
// entry and the replace dialog message, searching in both directions, failed
// searches reported through OnSearchFail or the message seam, and Replace and
// Replace All.
#include "core/editor/LexipadMessages.h"
#include "core/services/TStoreSearch.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadReplaceDialog.h"
#include "support/CaretText.h"
#include "support/TScriptedPrompts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;
using quarno::test::TScriptedPrompts;

namespace {

void Post(TLexipad& pad, uint32_t message, uint32_t options, const char* text) {
    pad.Perform(message, options, text);
}

// Sets a dialog's fields the way a user would.
void Fill(QDialog& dialog, const QString& findText, bool up = false) {
    dialog.findChild<QLineEdit*>("FindText")->setText(findText);
    dialog.findChild<QRadioButton*>(up ? "Up" : "Down")->setChecked(true);
}

void Click(QDialog& dialog, const char* button) {
    QPushButton* pushButton = dialog.findChild<QPushButton*>(button);
    QVERIFY(pushButton);
    QVERIFY(pushButton->isEnabled());
    QTest::mouseClick(pushButton, Qt::LeftButton);
}

QString Selection(const TLexipad& pad) {
    return QStringLiteral("%1-%2").arg(pad.SelStart()).arg(pad.SelStart() + pad.SelLength());
}

} // namespace

class LexipadFindDialogTest : public QObject {
    Q_OBJECT
private slots:
    void findEntryOpensTheFindDialogPreset_data();
    void findEntryOpensTheFindDialogPreset();
    void replaceMessageOpensTheReplaceDialogInsteadOfTheFindDialog();
    void findNextWalksDownAndUp_data();
    void findNextWalksDownAndUp();
    void failedSearchRaisesOnSearchFail();
    void failedSearchWithoutHandlerShowsTheMessage();
    void invalidPatternShowsTheEngineErrorOnly();
    void replaceReplacesTheSelectedMatchThenFindsTheNext();
    void replaceAllChangesEveryMatchInOneUndoStep();
};

void LexipadFindDialogTest::findEntryOpensTheFindDialogPreset_data() {
    QTest::addColumn<QString>("marked");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("preset");
    QTest::newRow("selected text") << "alpha ^beta| gamma" << int(foMatchCase) << "beta";
    QTest::newRow("no selection") << "alpha be|ta gamma" << 0 << "given";
    QTest::newRow("regular expression") << "alpha ^beta| gamma" << int(foRegExpr) << "given";
    QTest::newRow("across lines") << "al^pha\nbe|ta" << int(foWholeWord | foBackward) << "given";
}

void LexipadFindDialogTest::findEntryOpensTheFindDialogPreset() {
    QFETCH(QString, marked);
    QFETCH(int, options);
    QFETCH(QString, preset);
    TLexipad pad;
    SetCaretText(pad, marked.toStdString());
    QVERIFY(!pad.BuiltInFindDialog());
    QCOMPARE(int(pad.Perform(LPM_FIND, static_cast<uintptr_t>(options), "given")), -1);
    TLexipadFindDialog* dialog = pad.BuiltInFindDialog();
    QVERIFY(dialog);
    QCOMPARE(QString::fromStdString(dialog->SearchText()), preset);
    QCOMPARE(dialog->OptionWord(), static_cast<uint32_t>(options));
    QCOMPARE(QString::fromStdString(CaretText(pad)), marked); // opening does not search
    // The selection stays visible while the dialog has the focus.
    QVERIFY(!pad.HideSelection());
    dialog->reject();
    QVERIFY(!pad.BuiltInFindDialog());
    QVERIFY(pad.HideSelection());
}

void LexipadFindDialogTest::replaceMessageOpensTheReplaceDialogInsteadOfTheFindDialog() {
    TLexipad pad;
    SetCaretText(pad, "let ^key|= 1");
    Post(pad, LPM_FIND, 0, "");
    QVERIFY(pad.BuiltInFindDialog());
    Post(pad, LPM_REPLACEDIALOG, foWholeWord, "x");
    QVERIFY(!pad.BuiltInFindDialog());
    TLexipadReplaceDialog* dialog = pad.BuiltInReplaceDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->SearchText(), std::string("key"));
    QCOMPARE(dialog->OptionWord(), uint32_t{foWholeWord});
    QVERIFY(!pad.HideSelection());
    dialog->close();
    QVERIFY(pad.HideSelection());
}

void LexipadFindDialogTest::findNextWalksDownAndUp_data() {
    QTest::addColumn<QString>("findText");
    QTest::addColumn<bool>("regExpr");
    QTest::addColumn<QStringList>("down");
    QTest::addColumn<QStringList>("up");
    // Text: "Loop loops LOOP loop", caret at 0; four presses down, then up.
    QStringList plainDown{"0-4", "5-9", "11-15", "16-20"};
    QTest::newRow("plain") << "loop" << false << plainDown << QStringList{"11-15", "5-9", "0-4"};
    QTest::newRow("regular expression")
        << "lo+p" << true << plainDown << QStringList{"11-15", "5-9", "0-4"};
}

void LexipadFindDialogTest::findNextWalksDownAndUp() {
    QFETCH(QString, findText);
    QFETCH(bool, regExpr);
    QFETCH(QStringList, down);
    QFETCH(QStringList, up);
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    pad.SetText("Loop loops LOOP loop");
    Post(pad, LPM_FIND, regExpr ? uint32_t{foRegExpr} : 0u, "");
    TLexipadFindDialog& dialog = *pad.BuiltInFindDialog();
    Fill(dialog, findText);
    for (const QString& expected : down) {
        Click(dialog, "FindNextButton");
        QCOMPARE(Selection(pad), expected);
    }
    Fill(dialog, findText, true);
    for (const QString& expected : up) {
        Click(dialog, "FindNextButton");
        QCOMPARE(Selection(pad), expected);
    }
    QVERIFY(prompts.Boxes().empty());
    // Case and whole words narrow it down.
    dialog.findChild<QCheckBox*>("MatchCase")->setChecked(true);
    dialog.findChild<QCheckBox*>("WholeWord")->setChecked(true);
    Fill(dialog, findText.toUpper());
    pad.SetSelection(0, 0);
    Click(dialog, "FindNextButton");
    QCOMPARE(Selection(pad), QStringLiteral("11-15"));
}

void LexipadFindDialogTest::failedSearchRaisesOnSearchFail() {
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    SetCaretText(pad, "one t^wo| three");
    std::vector<std::string> failed;
    pad.OnSearchFail = [&](TCustomLexipad& sender, const std::string& searchString) {
        QCOMPARE(&sender, static_cast<TCustomLexipad*>(&pad));
        failed.push_back(searchString);
    };
    Post(pad, LPM_FIND, 0, "");
    TLexipadFindDialog& dialog = *pad.BuiltInFindDialog();
    Fill(dialog, "one");
    Click(dialog, "FindNextButton"); // forward from the selection's end
    QVERIFY(failed == std::vector<std::string>{"one"});
    QCOMPARE(CaretText(pad), std::string("one t^wo| three"));
    Post(pad, LPM_REPLACEDIALOG, 0, "");
    TLexipadReplaceDialog& replace = *pad.BuiltInReplaceDialog();
    Fill(replace, "four");
    Click(replace, "ReplaceAllButton");
    Click(replace, "ReplaceButton");
    QVERIFY((failed == std::vector<std::string>{"one", "four", "four"}));
    QVERIFY(prompts.Boxes().empty());
    QVERIFY(!pad.CanUndo());
}

void LexipadFindDialogTest::failedSearchWithoutHandlerShowsTheMessage() {
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    SetCaretText(pad, "abc |abd");
    Post(pad, LPM_FIND, 0, "");
    TLexipadFindDialog& dialog = *pad.BuiltInFindDialog();
    Fill(dialog, "abc");
    Click(dialog, "FindNextButton");
    QCOMPARE(prompts.Boxes().size(), size_t{1});
    QCOMPARE(prompts.Boxes()[0].kind, TPromptKind::Plain);
    QCOMPARE(prompts.Boxes()[0].text, std::string("Search string \"abc\" not found."));
    QCOMPARE(CaretText(pad), std::string("abc |abd"));
    QVERIFY(pad.BuiltInFindDialog()); // the dialog stays open
}

void LexipadFindDialogTest::invalidPatternShowsTheEngineErrorOnly() {
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    int failures = 0;
    SetCaretText(pad, "x[ab|");
    Post(pad, LPM_REPLACEDIALOG, foRegExpr, "x[ab");
    TLexipadReplaceDialog& dialog = *pad.BuiltInReplaceDialog();
    for (const char* button : {"FindNextButton", "ReplaceButton", "ReplaceAllButton"}) {
        Click(dialog, button);
        QCOMPARE(prompts.Boxes().size(), size_t{1});
        QCOMPARE(prompts.Boxes()[0].kind, TPromptKind::Error);
        QCOMPARE(prompts.Boxes()[0].text, std::string("Unmatched bracket\nx[ab\n ^"));
        prompts = TScriptedPrompts();
    }
    // A handler is not told either.
    pad.OnSearchFail = [&](TCustomLexipad&, const std::string&) { ++failures; };
    Click(dialog, "FindNextButton");
    QCOMPARE(failures, 0);
    QCOMPARE(pad.Text(), std::string("x[ab"));
}

void LexipadFindDialogTest::replaceReplacesTheSelectedMatchThenFindsTheNext() {
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    SetCaretText(pad, "|let a=1\nlet b=2\nlet c=3");
    Post(pad, LPM_REPLACEDIALOG, foRegExpr, "");
    TLexipadReplaceDialog& dialog = *pad.BuiltInReplaceDialog();
    Fill(dialog, "(\\w)=");
    dialog.findChild<QLineEdit*>("ReplaceText")->setText("%1 = ");
    // Nothing selected: the first press only finds.
    Click(dialog, "ReplaceButton");
    QCOMPARE(CaretText(pad), std::string("let ^a=|1\nlet b=2\nlet c=3"));
    Click(dialog, "ReplaceButton");
    QCOMPARE(CaretText(pad), std::string("let a = 1\nlet ^b=|2\nlet c=3"));
    // Going up, the text just inserted is not met again.
    Fill(dialog, "(\\w)=", true);
    dialog.findChild<QLineEdit*>("ReplaceText")->setText("%1=%1=");
    Click(dialog, "ReplaceButton");
    QCOMPARE(CaretText(pad), std::string("let a = 1\nlet |b=b=2\nlet c=3"));
    QCOMPARE(prompts.Boxes().size(), size_t{1});
    QCOMPARE(prompts.Boxes()[0].text, std::string("Search string \"(\\w)=\" not found."));
    // Each replacement is its own undo step.
    pad.Undo();
    QCOMPARE(pad.Text(), std::string("let a = 1\rlet b=2\rlet c=3"));
}

void LexipadFindDialogTest::replaceAllChangesEveryMatchInOneUndoStep() {
    TLexipad pad;
    TScriptedPrompts prompts;
    pad.SetPrompts(&prompts);
    SetCaretText(pad, "a cat, a CAT\ra cathedral, a cat|");
    const std::string before = pad.Text();
    Post(pad, LPM_REPLACEDIALOG, foWholeWord | foBackward, "cat");
    TLexipadReplaceDialog& dialog = *pad.BuiltInReplaceDialog();
    dialog.findChild<QLineEdit*>("ReplaceText")->setText("dog");
    // Every match from the start, whatever the direction.
    Click(dialog, "ReplaceAllButton");
    QCOMPARE(pad.Text(), std::string("a dog, a dog\ra cathedral, a dog"));
    QVERIFY(prompts.Boxes().empty());
    pad.Undo();
    QCOMPARE(pad.Text(), before);
    QVERIFY(!pad.CanUndo());
    // A read-only control keeps its text; Replace only finds.
    pad.SetReadOnly(true);
    Click(dialog, "ReplaceAllButton");
    Fill(dialog, "cat");
    pad.SetSelection(2, 5);
    Click(dialog, "ReplaceButton");
    QCOMPARE(pad.Text(), before);
    QCOMPARE(Selection(pad), QStringLiteral("9-12"));
    QVERIFY(prompts.Boxes().empty());
}

QTEST_MAIN(LexipadFindDialogTest)
#include "LexipadFindDialogTest.moc"
