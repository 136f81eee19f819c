// Progress shown in a dialog.
#include "qt/base/TQtProgress.h"

#include "qt/base/TextConversion.h"

#include <QApplication>
#include <QProgressDialog>

namespace quarno {

namespace {

constexpr int kShowAfterMilliseconds = 400;

} // namespace

TQtProgress::TQtProgress() = default;

TQtProgress::~TQtProgress() {
    End();
}

void TQtProgress::Begin(const std::string& text, int maximum) {
    End();
    m_dialog = new QProgressDialog(MessageText(text), QStringLiteral("Cancel"), 0,
                                   std::max(maximum, 0), QApplication::activeWindow());
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMilliseconds);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

// The dialog's own event processing keeps the windows painting and hears
// the Cancel button.
bool TQtProgress::Step(int value) {
    if (!m_dialog) return true;
    if (m_dialog->maximum() > 0)
        m_dialog->setValue(std::min(value, m_dialog->maximum()));
    else
        QApplication::processEvents();
    return !m_dialog->wasCanceled();
}

void TQtProgress::End() {
    delete m_dialog.data();
}

} // namespace quarno
