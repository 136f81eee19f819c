// Acting on a modal dialog from inside its own event loop: the action runs
// once a dialog of the type is the active modal window (the event loop turns
// until it is, up to a limit, then the test fails). A check that fails inside
// the action ends it early; the dialog is then closed, so the test goes on
// instead of waiting for it.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace quarno::test {

template <typename Dialog>
void WhenModal(std::function<void(Dialog&)> action, int turnsLeft = 200) {
    QTimer::singleShot(0, [action, turnsLeft] {
        QPointer<Dialog> dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog) {
            action(*dialog);
            if (QTest::currentTestFailed() && dialog && dialog->isVisible()) dialog->reject();
            return;
        }
        if (turnsLeft == 0) {
            QFAIL("the dialog never became modal");
            return;
        }
        WhenModal<Dialog>(action, turnsLeft - 1);
    });
}

} // namespace quarno::test
