// The main window: documents whose files other programs change.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TQtFileWatcher.h"

#include <QApplication>
#include <QTimer>

namespace quarno {

namespace {

constexpr int kDiskCheckRetryMilliseconds = 500;

} // namespace

void TEditorMainForm::WatchDocumentFiles() {
    m_fileWatcher = new TQtFileWatcher(this);
    m_diskCheckRetry = new QTimer(this);
    m_diskCheckRetry->setSingleShot(true);
    m_diskCheckRetry->setInterval(kDiskCheckRetryMilliseconds);
    connect(m_diskCheckRetry, &QTimer::timeout, this, &TEditorMainForm::CheckFilesOnDisk);
    m_documents->SetFileWatcher(m_fileWatcher, [this] { CheckFilesOnDisk(); });
    m_documents->SetProgress(&m_seams.Progress());
}

// A question in the middle of a command or over another box would cut into
// what the user is answering; it waits until they are done.
void TEditorMainForm::CheckFilesOnDisk() {
    if (!m_documents || !m_activated) return;
    if (CommandRunning() || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget()) {
        m_diskCheckRetry->start();
        return;
    }
    RunCommand([this] { m_documents->CheckFilesOnDisk(); });
}

void TEditorMainForm::SetRecoveryJournal(TRecoveryJournal* journal) {
    m_documents->SetRecoveryJournal(journal);
    if (!journal) {
        delete m_journalTimer;
        m_journalTimer = nullptr;
        return;
    }
    if (m_journalTimer) return;
    m_journalTimer = new QTimer(this);
    m_journalTimer->setInterval(TDocumentTabs::kJournalMilliseconds);
    connect(m_journalTimer, &QTimer::timeout, this,
            [this] { RunCommand([this] { m_documents->JournalModifiedDocuments(); }); });
    m_journalTimer->start();
}

} // namespace quarno
