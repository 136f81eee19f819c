// The options dialog on a parser shown in an editor: its pages driven as a
// user would, the working copy reaching the previews at once and the parser
// only through OK.
#include "core/base/TMemoryStream.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/lexicon/ShortCuts.h"
#include "qt/dialogs/TKVSColorButton.h"
#include "qt/dialogs/TKeyAssignDialog.h"
#include "qt/dialogs/TLP_HotKey.h"
#include "qt/dialogs/TOptionsDialog.h"
#include "qt/dialogs/TTLP_KVSColorButtonPalette.h"
#include "qt/editor/TLexipad.h"
#include "support/ModalScript.h"
#include "support/TScriptedFileDialogs.h"
#include "support/TScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace quarno;
using quarno::test::WhenModal;
using Texts = std::vector<std::string>;

namespace {

std::string StreamForm(const TLP_Settings& settings) {
    TMemoryStream stream;
    settings.SaveToStream(stream);
    return stream.Bytes();
}

template <typename T> T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) qWarning("no widget %s", name);
    return child;
}

void ChooseRow(QListWidget* list, const char* text) {
    QList<QListWidgetItem*> found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), text);
    list->setCurrentItem(found.first());
}

Texts ListTexts(QListWidget* list) {
    Texts texts;
    for (int row = 0; row < list->count(); ++row)
        texts.push_back(list->item(row)->text().toStdString());
    return texts;
}

// Leaves a field as the user does by moving on.
void Leave(QLineEdit* field) {
    emit field->editingFinished();
}

// Picks a standard colour from a colour button's palette.
void PickFromPalette(TKVSColorButton* button, int cell) {
    button->click();
    QVERIFY(button->Palette());
    button->Palette()->Cell(cell)->click();
}

constexpr int kGreenCell = 14; // 0x00FF00 among the standard colours
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

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cancelAfterManyChangesLeavesTheSettingsAsTheyWere();
    void colourReachesThePreviewAtOnceAndTheEditorAfterOk();
    void otherColourGoesThroughTheDialogsSeam();
    void clickingATokenInThePreviewChoosesItsElement();
    void keyPairAddedConflictingEditedAndCleared();
    void optionsPageFieldsAndEnabling();
    void templatesAndAutoCorrectEntries();
    void onlyTheRequestedPagesAreShown();
    void keyAssignDialogTakesEveryKey();

private:
    std::unique_ptr<TLexipadParser> m_parser;
    std::unique_ptr<TLexipad> m_main;
    test::TScriptedPrompts m_prompts;
    test::TScriptedFileDialogs m_dialogs;
};

void OptionsDialogTest::init() {
    m_parser = MakeShippedParser("basic");
    m_main = std::make_unique<TLexipad>();
    m_main->resize(500, 200);
    m_main->SetParser(1, m_parser.get());
    m_main->SetText("' a comment line\rHIGH PORTB.0\r");
    m_prompts = {};
}

void OptionsDialogTest::cleanup() {
    m_main.reset();
    m_parser.reset();
}

void OptionsDialogTest::cancelAfterManyChangesLeavesTheSettingsAsTheyWere() {
    const std::string before = StreamForm(m_parser->Settings());
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        Child<QCheckBox>(d, "DispWrapBox")->click();
        Child<QCheckBox>(d, "LineNosBox")->click();
        Child<QCheckBox>(d, "ShowAllCharsBox")->click();
        Child<QLineEdit>(d, "LeftBorderWidthBox")->setText("50");
        Child<QLineEdit>(d, "TabColumnsBox")->setText("3 7");
        Leave(Child<QLineEdit>(d, "TabColumnsBox"));
        ChooseRow(Child<QListWidget>(d, "SynElementsBox"), "Comment");
        Child<QCheckBox>(d, "ItalicBox")->click();
        PickFromPalette(Child<TKVSColorButton>(d, "BackgroundButton"), 3);
        Child<QComboBox>(d, "FontSizeBox")->setCurrentText("14");
        Child<QLineEdit>(d, "cteNameBox")->setText("fori");
        Child<QPushButton>(d, "cteAddButton")->click();
        Child<QLineEdit>(d, "ReplaceBox")->setText("teh");
        Child<QLineEdit>(d, "WithBox")->setText("the");
        Child<QPushButton>(d, "AutoReplAddButton")->click();
        ChooseRow(Child<QListWidget>(d, "CommandDescListBox"), "Undo");
        Child<QPushButton>(d, "DeleteKeyButton")->click();
        QCOMPARE(d.Working()->Gutter(), 50);
        QVERIFY(d.Working()->Templates().Lookup("fori").has_value());
        Child<QPushButton>(d, "CancelButton")->click();
    });
    QVERIFY(!dialog.Execute(*m_parser, kAllOptionsPages));
    QCOMPARE(StreamForm(m_parser->Settings()), before);
    QCOMPARE(&m_main->Settings(), &m_parser->Settings());
    QCOMPARE(m_parser->AttachedControls(), (std::vector<TCustomLexipad*>{m_main.get()}));
    QVERIFY(m_prompts.Boxes().empty());
}

void OptionsDialogTest::colourReachesThePreviewAtOnceAndTheEditorAfterOk() {
    QCOMPARE(CountGreen(m_main->RenderView()), 0);
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        QCOMPARE(d.Tabs()->currentIndex(), 1); // Highlighting first
        d.Preview()->resize(400, 150);
        int before = CountGreen(d.Preview()->RenderView());
        ChooseRow(Child<QListWidget>(d, "SynElementsBox"), "Comment");
        PickFromPalette(Child<TKVSColorButton>(d, "ForegroundButton"), kGreenCell);
        QVERIFY(CountGreen(d.Preview()->RenderView()) > before);
        d.OkButton()->click();
    });
    QVERIFY(dialog.Execute(*m_parser, kAllOptionsPages));
    QCOMPARE(m_parser->Settings().Style(6).textColor, 0x00FF00);
    QVERIFY(CountGreen(m_main->RenderView()) > 0);
}

void OptionsDialogTest::otherColourGoesThroughTheDialogsSeam() {
    TColorChoice chosen;
    chosen.color = 0x123456;
    chosen.customColors[0] = 0x00AA00;
    m_dialogs.QueueColor(chosen);
    m_dialogs.QueueColor(std::nullopt); // the second time the user cancels
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        ChooseRow(Child<QListWidget>(d, "SynElementsBox"), "String");
        auto* background = Child<TKVSColorButton>(d, "BackgroundButton");
        background->click();
        background->Palette()->OtherButton()->click();
        QCOMPARE(background->Color(), 0x123456);
        QCOMPARE(background->CustomColors()[0], 0x00AA00);
        background->click();
        background->Palette()->OtherButton()->click();
        QCOMPARE(background->Color(), 0x123456);
        d.OkButton()->click();
    });
    QVERIFY(dialog.Execute(*m_parser, kAllOptionsPages));
    QCOMPARE(m_parser->Settings().Style(4).backColor, 0x123456);
    const std::vector<TColorChoice>& asked = m_dialogs.ColorRequests();
    QCOMPARE(asked.size(), size_t(2));
    QCOMPARE(asked[0].color, 0xFFFFFF); // the string style's white background
    QCOMPARE(asked[1].customColors[0], 0x00AA00);
}

void OptionsDialogTest::clickingATokenInThePreviewChoosesItsElement() {
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        auto* elements = Child<QListWidget>(d, "SynElementsBox");
        TLexipad* preview = d.Preview();
        auto clickAt = [preview](int position) {
            TPoint at = preview->PosFromChar(position);
            QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                              QPoint(at.x + 2, at.y + preview->LineHeight() / 2));
        };
        std::string text = preview->Text();
        clickAt(static_cast<int>(text.find("RSOUT_PIN")) + 1);
        QCOMPARE(elements->currentItem()->text(), QString("Declare Keywords"));
        clickAt(static_cast<int>(text.find("\"Hello")) + 2);
        QCOMPARE(elements->currentItem()->text(), QString("String"));
        d.reject();
    });
    dialog.Execute(*m_parser, kAllOptionsPages);
}

void OptionsDialogTest::keyPairAddedConflictingEditedAndCleared() {
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([this](TOptionsDialog& d) {
        auto* keys = Child<QListWidget>(d, "CommandKeysListBox");
        ChooseRow(Child<QListWidget>(d, "CommandDescListBox"), "Undo");
        QCOMPARE(ListTexts(keys), (Texts{"[Ctrl+Z]  [<none>]"}));

        // Added: Ctrl+K alone, which conflicts with Ctrl+K, I.
        WhenModal<TKeyAssignDialog>([](TKeyAssignDialog& k) {
            QCOMPARE(k.windowTitle(), QString("Add new key pair for: Undo"));
            QTest::keyClick(k.KeyField(1), Qt::Key_K, Qt::ControlModifier);
            k.NextButton()->click();
            k.NextButton()->click(); // Finish
        });
        Child<QPushButton>(d, "AddKeyButton")->click();
        QCOMPARE(ListTexts(keys), (Texts{"[Ctrl+Z]  [<none>]", "[Ctrl+K]  [<none>]"}));
        d.OkButton()->click();
        QVERIFY(d.isVisible());
        QCOMPARE(m_prompts.Boxes().size(), size_t(1));
        QVERIFY(m_prompts.Boxes()[0].text.starts_with("Duplicate key sequence definition for\r\n"));

        // Edited into Alt+U, X.
        keys->setCurrentRow(1);
        WhenModal<TKeyAssignDialog>([](TKeyAssignDialog& k) {
            QCOMPARE(k.windowTitle(), QString("Edit key pair for: Undo"));
            QCOMPARE(k.KeyField(1)->text(), QString("Ctrl+K"));
            k.ClearButton(1)->click();
            QVERIFY(!k.NextButton()->isEnabled());
            QTest::keyClick(k.KeyField(1), Qt::Key_U, Qt::AltModifier);
            k.NextButton()->click();
            QTest::keyClick(k.KeyField(2), Qt::Key_X);
            k.NextButton()->click();
        });
        Child<QPushButton>(d, "EditKeyButton")->click();
        QCOMPARE(ListTexts(keys), (Texts{"[Ctrl+Z]  [<none>]", "[Alt+U]  [X]"}));

        // Cleared: the old Ctrl+Z goes.
        keys->setCurrentRow(0);
        Child<QPushButton>(d, "DeleteKeyButton")->click();
        QCOMPARE(ListTexts(keys), (Texts{"[Alt+U]  [X]"}));
        d.OkButton()->click();
    });
    QVERIFY(dialog.Execute(*m_parser, kAllOptionsPages));
    std::vector<TKeyPair> undo = m_parser->Settings().Keys().Bindings(41);
    QCOMPARE(undo.size(), size_t(1));
    QCOMPARE(undo[0].first, uint16_t(kScAlt | 'U'));
    QCOMPARE(undo[0].second, uint16_t('X'));
    QCOMPARE(m_parser->Settings().Keys().Bindings(17).size(), size_t(1)); // the others kept
}

void OptionsDialogTest::optionsPageFieldsAndEnabling() {
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([this](TOptionsDialog& d) {
        auto* wrap = Child<QCheckBox>(d, "DispWrapBox");
        auto* smartTab = Child<QCheckBox>(d, "TabColBox");
        wrap->setChecked(false);
        QVERIFY(smartTab->isEnabled());
        wrap->setChecked(true);
        QVERIFY(!smartTab->isEnabled());
        QVERIFY(d.Working()->HasOption(smoWordWrap));

        auto* gutter = Child<QLineEdit>(d, "LeftBorderWidthBox");
        gutter->clear();
        QCOMPARE(gutter->text(), QString("1"));
        gutter->selectAll();
        QTest::keyClicks(gutter, "25");
        QCOMPARE(gutter->text(), QString("25"));
        QTest::keyClick(gutter, Qt::Key_0);
        QCOMPARE(gutter->text(), QString("1"));
        QCOMPARE(d.Working()->Gutter(), 1);
        QTest::keyClick(gutter, Qt::Key_Home); // not passed on in this field
        QCOMPARE(gutter->cursorPosition(), 1);
        Child<QToolButton>(d, "Up")->click();
        QCOMPARE(gutter->text(), QString("2"));

        auto* column = Child<QLineEdit>(d, "WrapColumnBox");
        column->setText("abc");
        Leave(column);
        QCOMPARE(column->text(), QString::number(d.Working()->WrapColumn()));
        column->setText("70");
        Leave(column);
        QCOMPARE(d.Working()->WrapColumn(), 70);
        d.OkButton()->click();
    });
    QVERIFY(dialog.Execute(*m_parser, kAllOptionsPages));
    QCOMPARE(m_prompts.Boxes().size(), size_t(1));
    QCOMPARE(m_prompts.Boxes()[0].text, std::string("'abc' is not a valid integer value"));
    QCOMPARE(m_parser->Settings().Gutter(), 2);
    QCOMPARE(m_parser->Settings().WrapColumn(), 70);
    QVERIFY(m_main->HasOption(smoWordWrap));
}

void OptionsDialogTest::templatesAndAutoCorrectEntries() {
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        auto* name = Child<QLineEdit>(d, "cteNameBox");
        auto* add = Child<QPushButton>(d, "cteAddButton");
        auto* second = Child<QPushButton>(d, "cteDeleteButton");
        QVERIFY(!add->isEnabled() && !second->isEnabled());
        name->setText("fori");
        Child<QLineEdit>(d, "cteDescriptionBox")->setText("for loop");
        d.TemplateEditor()->SetText("FOR I = 1 TO 10\rNEXT I");
        QVERIFY(add->isEnabled());
        add->click();
        QVERIFY(!add->isEnabled());
        QCOMPARE(second->text(), QString("Delete"));
        d.TemplateEditor()->SetText("FOR J = 1 TO 10\rNEXT J");
        QCOMPARE(second->text(), QString("Replace"));
        second->click();
        QCOMPARE(second->text(), QString("Delete"));
        auto* hotkey = Child<TLP_HotKey>(d, "cteHotkey");
        QTest::keyClick(hotkey, Qt::Key_T); // no modifier: Alt is added
        QCOMPARE(hotkey->text(), QString("Alt+T"));

        auto* word = Child<QLineEdit>(d, "ReplaceBox");
        auto* with = Child<QLineEdit>(d, "WithBox");
        auto* first = Child<QPushButton>(d, "AutoReplAddButton");
        auto* other = Child<QPushButton>(d, "AutoReplDeleteButton");
        word->setText("Teh");
        with->setText("the");
        QVERIFY(first->isEnabled() && !other->isEnabled());
        first->click();
        QCOMPARE(Child<QTreeWidget>(d, "AutoReplBox")->topLevelItemCount(), 1);
        QVERIFY(!first->isEnabled());
        QCOMPARE(other->text(), QString("Delete"));
        d.OkButton()->click();
    });
    QVERIFY(dialog.Execute(*m_parser, kAllOptionsPages));
    const TLP_Settings& settings = m_parser->Settings();
    QCOMPARE(settings.Templates().Lookup("fori").value_or(""),
             std::string("FOR J = 1 TO 10\rNEXT J"));
    QCOMPARE(settings.Templates().HotKey(), uint16_t(kScAlt | 'T'));
    QCOMPARE(settings.AutoReplace().Lookup("teh").value_or(""), std::string("the"));
}

void OptionsDialogTest::onlyTheRequestedPagesAreShown() {
    TOptionsDialog dialog(m_prompts, m_dialogs);
    WhenModal<TOptionsDialog>([](TOptionsDialog& d) {
        QCOMPARE(d.windowTitle(), QString("Editor Options"));
        QTabWidget* tabs = d.Tabs();
        for (int index = 0; index < tabs->count(); ++index)
            QCOMPARE(tabs->isTabVisible(index), index == 2);
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(tabs->tabText(2), QString("Key assignments"));
        d.reject();
    });
    QVERIFY(!dialog.Execute(*m_parser, opKeyAssignments));
}

void OptionsDialogTest::keyAssignDialogTakesEveryKey() {
    TKeyAssignDialog dialog;
    WhenModal<TKeyAssignDialog>([](TKeyAssignDialog& k) {
        QVERIFY(!k.NextButton()->isEnabled());
        QVERIFY(!k.BackButton()->isEnabled());
        QVERIFY(!k.ClearButton(1)->isEnabled());
        k.KeyField(1)->setFocus();
        QTest::keyClick(k.KeyField(1), Qt::Key_Shift, Qt::ShiftModifier);
        QVERIFY2(!k.NextButton()->isEnabled(), "a modifier alone is no key");
        QTest::keyClick(k.KeyField(1), Qt::Key_Tab);
        QCOMPARE(k.KeyField(1)->text(), QString("Tab"));
        QTest::keyClick(k.KeyField(1), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(k.KeyField(1)->text(), QString("Shift+Enter"));
        QVERIFY(k.NextButton()->isEnabled() && k.ClearButton(1)->isEnabled());
        k.NextButton()->click();
        QCOMPARE(k.Step(), 2);
        QCOMPARE(k.NextButton()->text(), QString("Finish"));
        QVERIFY(k.BackButton()->isEnabled() && !k.ClearButton(2)->isEnabled());
        k.NextButton()->click();
    });
    uint16_t key1 = 0;
    uint16_t key2 = 'Q';
    QVERIFY(dialog.Execute(key1, key2, TKeyAssignWizard::kAdd, "two", "one", "Redo"));
    QCOMPARE(key1, uint16_t(kScShift | vk::Return));
    QCOMPARE(key2, uint16_t(0)); // a single-key binding

    TKeyAssignDialog cancelled;
    WhenModal<TKeyAssignDialog>([](TKeyAssignDialog& k) { k.CancelButton()->click(); });
    QVERIFY(!cancelled.Execute(key1, key2, TKeyAssignWizard::kEdit, "two", "one", "Redo"));
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
