// The real prompts and file-dialog filters. Boxes are answered by a timer
// that finds the open box, so no box waits for a person.
#include "qt/base/TQtFileDialogs.h"
#include "qt/base/TQtPrompts.h"
#include "qt/base/TextConversion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace quarno;

namespace {
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Once the box is up: records it, then presses the button with that text, or
// Escape when buttonText is empty.
void AnswerNextBox(SeenBox& seen, const QString& buttonText) {
    QTimer::singleShot(0, [&seen, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(seen, buttonText);
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove('&');
        seen.defaultButton =
            box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == buttonText) {
                button->click();
                return;
            }
        QTest::keyClick(box, Qt::Key_Escape);
    });
}
} // namespace

class QtSeamsTest : public QObject {
    Q_OBJECT
private slots:
    void promptsShowTheBoxOfTheirKindAndReturnThePressedButton_data();
    void promptsShowTheBoxOfTheirKindAndReturnThePressedButton();
    void messageTextsKeepLineBreaksAndDecodeBothEncodings();
    void dialogFiltersBecomeQtFilters();
};

void QtSeamsTest::promptsShowTheBoxOfTheirKindAndReturnThePressedButton_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttonCount");
    using K = TPromptKind;
    using S = TPromptButtons;
    using B = TPromptButton;
    QTest::newRow("confirm, No") << int(K::Confirmation) << int(S::YesNoCancel) << "No"
                                 << int(B::No) << "Confirm" << int(QMessageBox::Question) << 3;
    QTest::newRow("confirm, Escape")
        << int(K::Confirmation) << int(S::YesNoCancel) << "" << int(B::Cancel) << "Confirm"
        << int(QMessageBox::Question) << 3;
    QTest::newRow("yes/no, Escape") << int(K::Information) << int(S::YesNo) << "" << int(B::No)
                                    << "Information" << int(QMessageBox::Information) << 2;
    QTest::newRow("yes/no default no, Escape")
        << int(K::Confirmation) << int(S::YesNoDefaultNo) << "" << int(B::No) << "Confirm"
        << int(QMessageBox::Question) << 2;
    QTest::newRow("error, OK") << int(K::Error) << int(S::Ok) << "OK" << int(B::Ok) << "Error"
                               << int(QMessageBox::Critical) << 1;
    QTest::newRow("warning, Escape") << int(K::Warning) << int(S::Ok) << "" << int(B::Ok)
                                     << "Warning" << int(QMessageBox::Warning) << 1;
    QTest::newRow("plain, Cancel")
        << int(K::Plain) << int(S::OkCancel) << "Cancel" << int(B::Cancel) << "QUARNO+ Editor"
        << int(QMessageBox::NoIcon) << 2;
}

void QtSeamsTest::promptsShowTheBoxOfTheirKindAndReturnThePressedButton() {
    QFETCH(int, kind);
    QFETCH(int, buttons);
    QFETCH(QString, press);
    QFETCH(int, expected);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(int, buttonCount);
    TQtPrompts prompts;
    SeenBox seen;
    AnswerNextBox(seen, press);
    TPromptButton answer = prompts.Show(TPromptKind(kind), "Some text", TPromptButtons(buttons));
    QCOMPARE(int(answer), expected);
    QCOMPARE(seen.title, title);
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons.size(), buttonCount);
    QCOMPARE(seen.defaultButton, QString(PromptButtonName(DefaultButton(TPromptButtons(buttons)))));
}

void QtSeamsTest::messageTextsKeepLineBreaksAndDecodeBothEncodings() {
    TQtPrompts prompts;
    SeenBox seen;
    AnswerNextBox(seen, "OK");
    prompts.Ask(TPromptKind::Plain, "FATAL ERROR!", "Could not Find KBX.INI\rMake sure\rClose",
                TPromptButtons::OkCancel);
    QCOMPARE(seen.title, QString("FATAL ERROR!"));
    QCOMPARE(seen.text, QString("Could not Find KBX.INI\nMake sure\nClose"));

    QCOMPARE(MessageText("File \"/home/j\xC3\xB6rg/a.bas\"\r\nSave changes ?"),
             QString::fromUtf8("File \"/home/j\xC3\xB6rg/a.bas\"\nSave changes ?"));
    QCOMPARE(MessageText("Price \x80 5 \x93quoted\x94 \xE9t\xE9"),
             QString::fromUtf8("Price \xE2\x82\xAC 5 \xE2\x80\x9Cquoted\xE2\x80\x9D "
                               "\xC3\xA9t\xC3\xA9"));
    QCOMPARE(FromAnsi(std::string("\x81\x9F\xFF", 3)),
             QString::fromUtf8("\xC2\x81\xC5\xB8\xC3\xBF"));
}

void QtSeamsTest::dialogFiltersBecomeQtFilters() {
    QCOMPARE(TQtFileDialogs::QtFilter("MCUBASIC files|*.bas;|INCLUDE files|*.inc;|All files|*.*"),
             QString("MCUBASIC files (*.bas);;INCLUDE files (*.inc);;All files (*)"));
    QCOMPARE(TQtFileDialogs::QtFilter("EXE Files|*.EXE;"), QString("EXE Files (*.EXE)"));
    QCOMPARE(TQtFileDialogs::QtFilter("*.*"), QString("*.* (*)"));
}

QTEST_MAIN(QtSeamsTest)
#include "QtSeamsTest.moc"
