// The general error display: an exception a command does not catch ends the
// command, is shown as one error box with its text, and the program goes on.
#include "core/app/TProcesses.h"
#include "core/base/Exceptions.h"
#include "qt/app/TQuarnoApplication.h"
#include "support/TScriptedPrompts.h"

#include <QTimer>
#include <QtTest>

#include <stdexcept>

using namespace quarno;
using quarno::test::TScriptedPrompts;

namespace {
const QEvent::Type kThrowQuarno = static_cast<QEvent::Type>(QEvent::User + 1);
const QEvent::Type kThrowStd = static_cast<QEvent::Type>(QEvent::User + 2);
const QEvent::Type kThrowOther = static_cast<QEvent::Type>(QEvent::User + 3);
const QEvent::Type kCount = static_cast<QEvent::Type>(QEvent::User + 4);

// An object whose event handler fails on request.
class Thrower : public QObject {
public:
    int handled = 0;
    bool event(QEvent* event) override {
        switch (static_cast<int>(event->type())) {
        case kThrowQuarno: throw EFOpenError("Cannot open file \"/x/BLINK.bas\". No such file");
        case kThrowStd: throw std::runtime_error("std failure");
        case kThrowOther: throw 42;
        case kCount: ++handled; return true;
        default: return QObject::event(event);
        }
    }
};

// Prompts that fail again while their box is up, as a handler failing on
// every event would.
class FailingAgainPrompts : public TScriptedPrompts {
public:
    Thrower* thrower = nullptr;
    TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                      TPromptButtons buttons) override {
        QEvent again(kThrowStd);
        QCoreApplication::sendEvent(thrower, &again);
        return TScriptedPrompts::Ask(kind, title, text, buttons);
    }
};

TQuarnoApplication* App() {
    return static_cast<TQuarnoApplication*>(QCoreApplication::instance());
}
} // namespace

class ErrorDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void init() { App()->SetPrompts(&m_prompts); }
    void cleanup() {
        App()->SetPrompts(nullptr);
        m_prompts = TScriptedPrompts();
    }
    void uncaughtErrorsAreShownOnceAndTheProgramGoesOn_data();
    void uncaughtErrorsAreShownOnceAndTheProgramGoesOn();
    void errorsOfTimerCommandsAreShown();
    void runCommandShowsTheErrorAndReturns();
    void anErrorWhileTheErrorBoxIsUpDoesNotStackBoxes();

private:
    TScriptedPrompts m_prompts;
};

void ErrorDisplayTest::uncaughtErrorsAreShownOnceAndTheProgramGoesOn_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("system error") << int(kThrowQuarno)
                                  << "Cannot open file \"/x/BLINK.bas\". No such file";
    QTest::newRow("library error") << int(kThrowStd) << "std failure";
    QTest::newRow("anything else") << int(kThrowOther) << "An unknown error occurred";
}

void ErrorDisplayTest::uncaughtErrorsAreShownOnceAndTheProgramGoesOn() {
    QFETCH(int, type);
    QFETCH(QString, text);
    Thrower thrower;
    QEvent failing(static_cast<QEvent::Type>(type));
    QVERIFY(!QCoreApplication::sendEvent(&thrower, &failing));
    QCoreApplication::postEvent(&thrower, new QEvent(kCount));
    QCoreApplication::sendPostedEvents(&thrower);
    QCOMPARE(thrower.handled, 1);

    QCOMPARE(m_prompts.Boxes().size(), size_t(1));
    const TScriptedPrompts::Box& box = m_prompts.Boxes()[0];
    QCOMPARE(box.kind, TPromptKind::Error);
    QCOMPARE(box.title, std::string("QUARNO+ Editor"));
    QCOMPARE(QString::fromStdString(box.text), text);
    QCOMPARE(box.buttons, TPromptButtons::Ok);
}

void ErrorDisplayTest::errorsOfTimerCommandsAreShown() {
    bool after = false;
    QTimer::singleShot(0, this, [] { throw ELexipad("Stack underflow"); });
    QTimer::singleShot(0, this, [&after] { after = true; });
    QTRY_VERIFY(after);
    QCOMPARE(m_prompts.Boxes().size(), size_t(1));
    QCOMPARE(m_prompts.Boxes()[0].text, std::string("Stack underflow"));
}

void ErrorDisplayTest::runCommandShowsTheErrorAndReturns() {
    bool rest = false;
    RunCommand([&rest] {
        throw EProgramStart("Problem Running /opt/INC/TERM.EXE");
        rest = true;
    });
    QVERIFY(!rest);
    RunCommand([&rest] { rest = true; });
    QVERIFY(rest);
    QCOMPARE(m_prompts.Boxes().size(), size_t(1));
    QCOMPARE(m_prompts.Boxes()[0].text, std::string("Problem Running /opt/INC/TERM.EXE"));
}

void ErrorDisplayTest::anErrorWhileTheErrorBoxIsUpDoesNotStackBoxes() {
    FailingAgainPrompts prompts;
    Thrower thrower;
    prompts.thrower = &thrower;
    App()->SetPrompts(&prompts);
    QEvent failing(kThrowQuarno);
    QCoreApplication::sendEvent(&thrower, &failing);
    QCOMPARE(prompts.Boxes().size(), size_t(1));
    QCOMPARE(prompts.Boxes()[0].text,
             std::string("Cannot open file \"/x/BLINK.bas\". No such file"));
    // Once the box is gone, the next error is shown again.
    QCoreApplication::sendEvent(&thrower, &failing);
    QCOMPARE(prompts.Boxes().size(), size_t(2));
}

int main(int argc, char** argv) {
    TQuarnoApplication application(argc, argv);
    ErrorDisplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorDisplayTest.moc"
