// Creation and ownership of the application's windows.
#include "qt/app/TApplicationForms.h"

#include "core/app/TRecoveryJournal.h"
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TEventLog.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/TQtRegistry.h"
#include "qt/dialogs/TAboutForm.h"
#include "qt/dialogs/TBootloader_Parameters.h"
#include "qt/dialogs/TDummy_Virtual_Form.h"
#include "qt/dialogs/TEdFindDlg.h"
#include "qt/dialogs/TEdReplDlg.h"
#include "qt/dialogs/TFind_FERNWICK.h"
#include "qt/dialogs/TGotoLineDialog.h"
#include "qt/dialogs/TORLAPath.h"
#include "qt/dialogs/TProgPath.h"
#include "qt/viewers/TASCII.h"
#include "qt/viewers/TASMList.h"
#include "qt/viewers/TDATAList.h"
#include "qt/viewers/THEXList.h"

#include <QDir>

namespace quarno {

TApplicationForms::TApplicationForms(const TAppSeams& seams, std::string executablePath,
                                     std::string startupFile)
    : m_seams(seams), m_registry(std::make_unique<TQtRegistry>()),
      m_journal(std::make_unique<TRecoveryJournal>(TRecoveryJournal::DefaultFolder(
          qEnvironmentVariable("XDG_STATE_HOME").toStdString(), QDir::homePath().toStdString()))),
      m_executablePath(std::move(executablePath)), m_startupFile(std::move(startupFile)) {}

TApplicationForms::~TApplicationForms() {
    while (!m_windows.empty())
        m_windows.pop_back();
}

// "TEdFindDlg" for quarno::TEdFindDlg.
static QString UnqualifiedName(const QMetaObject& type) {
    return QString::fromLatin1(type.className()).section(QStringLiteral("::"), -1);
}

template <typename T, typename... Args> T* TApplicationForms::Create(Args&&... args) {
    auto window = std::make_unique<T>(std::forward<Args>(args)...);
    T* created = window.get();
    m_windows.push_back(std::move(window));
    TEventLog::Write(QStringLiteral("create ") + UnqualifiedName(T::staticMetaObject));
    return created;
}

void TApplicationForms::CreateAll() {
    m_editorMainForm = Create<TEditorMainForm>(m_seams, m_executablePath, m_startupFile);
    // The main window worked out the folders when it was created.
    const std::string configFile = m_editorMainForm->Globals().ConfigFileName();
    m_parserRepository = Create<TParserRepository>();
    m_editorMainForm->SetParserRepository(m_parserRepository, m_registry.get());
    m_editorMainForm->SetRecoveryJournal(m_journal.get());
    m_edFindDlg = Create<TEdFindDlg>();
    m_edReplDlg = Create<TEdReplDlg>();
    m_gotoLineDialog = Create<TGotoLineDialog>();
    m_editorMainForm->SetSearchDialogs(*m_edFindDlg, *m_edReplDlg, *m_gotoLineDialog);
    m_asmList = Create<TASMList>(m_seams);
    m_asmList->FormCreate(configFile);
    m_progPath = Create<TProgPath>();
    m_hexList = Create<THEXList>();
    m_hexList->FormCreate(configFile);
    m_orlaPath = Create<TORLAPath>();
    m_editorMainForm->SetProgrammerDialogs(*m_progPath, *m_orlaPath);
    m_dataList = Create<TDATAList>();
    m_dataList->FormCreate(configFile);
    m_aboutForm = Create<TAboutForm>(m_seams.Desktop());
    m_editorMainForm->SetAboutForm(m_aboutForm);
    m_ascii = Create<TASCII>();
    m_editorMainForm->SetOutputWindows(*m_asmList, *m_hexList, *m_dataList, *m_ascii);
    m_bootloaderParameters = Create<TBootloader_Parameters>();
    m_findFernwick = Create<TFind_FERNWICK>();
    m_editorMainForm->SetBootloaderDialogs(*m_bootloaderParameters, *m_findFernwick);
    m_dummyVirtualForm = Create<TDummy_Virtual_Form>();
    m_editorMainForm->SetWaitWindow(m_dummyVirtualForm);
}

void TApplicationForms::ShowMainForm() {
    if (!m_editorMainForm) return;
    m_editorMainForm->showMaximized();
    m_editorMainForm->raise();
    m_editorMainForm->activateWindow();
    TEventLog::Write(QStringLiteral("show TEditorMainForm"));
}

std::vector<QWidget*> TApplicationForms::InCreationOrder() const {
    std::vector<QWidget*> windows;
    for (const std::unique_ptr<QWidget>& window : m_windows)
        windows.push_back(window.get());
    return windows;
}

} // namespace quarno
