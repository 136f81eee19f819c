// The main window's programmer commands: choosing the programmer, its two
// path dialogs and the Program command.
#include "qt/app/TEditorMainForm.h"

#include "core/toolchain/TProgrammerPaths.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/TBootloader_Parameters.h"
#include "qt/dialogs/TFind_FERNWICK.h"
#include "qt/dialogs/TORLAPath.h"
#include "qt/dialogs/TProgPath.h"

#include <QAction>
#include <QMenu>

namespace quarno {

void TEditorMainForm::SetProgrammerDialogs(TProgPath& progPath, TORLAPath& orlaPath) {
    m_progPath = &progPath;
    m_orlaPath = &orlaPath;
    progPath.Configure(m_seams.FileDialogs(), m_globals.ConfigFileName());
    orlaPath.Configure(m_seams.FileDialogs(), m_globals.ConfigFileName());
}

void TEditorMainForm::AddProgrammerItems(QMenu* menu) {
    QMenu* choose = menu->addMenu(QStringLiteral("Choose Programmer..."));
    choose->setObjectName(QStringLiteral("ChooseProg"));
    choose->menuAction()->setStatusTip(QStringLiteral("Choose the type of programmer"));
    m_orlaProg = AddItem(choose, {"OrlaProg", "Orla", {}, "Tarvik's ORLA Programmer"},
                         [this] { OrlaProgClick(); });
    m_extProg = AddItem(choose, {"ExtProg", kUndefinedProgrammer, {}, "Programmer of choice"},
                        [this] { ExtProgClick(); });
    m_orlaProg->setCheckable(true);
    m_extProg->setCheckable(true);
    m_orlaProg->setChecked(true);
    AddItem(menu, {"ProgrammerPath", "Programmer Path...", {}, "Choose an External Programmer"},
            [this] { ProgrammerPathClick(); });
    AddItem(menu, {"ORLA_Directory", "ORLA Path...", {}, "Locate ORLA Directory"},
            [this] { ORLA_DirectoryClick(); });
}

// The status refresh's marks and caption from KBX.INI.
void TEditorMainForm::ApplyToolMenus(const TDocumentStatus& status) {
    m_programmer.ApplyStoredType(status.programmerType);
    m_orlaProg->setChecked(m_programmer.OrlaMarked());
    m_extProg->setChecked(m_programmer.ExtMarked());
    m_extProg->setText(FromAnsi(status.extProgrammerName));
    m_bootloader.ApplyStoredType(status.bootloaderType);
    ShowBootloaderMarks();
    m_bootItems[static_cast<size_t>(TBootloaderKind::bkOther)]->setText(
        FromAnsi(status.extBootloaderName));
}

void TEditorMainForm::OrlaProgClick() {
    TProfileFile ini = m_globals.Config();
    m_programmer.Choose(TProgrammerKind::pkOrla, ini);
    m_orlaProg->setChecked(true);
    m_extProg->setChecked(false);
}

void TEditorMainForm::ExtProgClick() {
    TProfileFile ini = m_globals.Config();
    m_programmer.Choose(TProgrammerKind::pkOther, ini);
    m_orlaProg->setChecked(false);
    m_extProg->setChecked(true);
}

void TEditorMainForm::RunPathDialog(TPathDialog dialog) {
    QDialog* window = nullptr;
    switch (dialog) {
    case TPathDialog::pdOrla: window = m_orlaPath; break;
    case TPathDialog::pdProgrammer: window = m_progPath; break;
    case TPathDialog::pdFernwick: window = m_fernwickPath; break;
    case TPathDialog::pdBootloader: window = m_bootPath; break;
    }
    if (!window) return;
    window->setEnabled(true);
    window->exec();
    window->setEnabled(false);
}

void TEditorMainForm::ProgrammerPathClick() {
    RunPathDialog(TPathDialog::pdProgrammer);
    std::string name = m_globals.Config().ReadString("EXT_PROG", "NAME", "");
    m_globals.SetExtProgrammerName(name.empty() ? kUndefinedProgrammer : name);
    m_extProg->setText(FromAnsi(m_globals.ExtProgrammerName()));
}

void TEditorMainForm::ORLA_DirectoryClick() {
    RunPathDialog(TPathDialog::pdOrla);
}

// The programmer is started and not waited for; a path that cannot be
// started is reported as "Problem Running" with the path and the reason.
void TEditorMainForm::ProgramButtonClick() {
    TProfileFile ini = m_globals.Config();
    std::optional<TLaunchPlan> plan =
        m_programmer.PlanProgram(ini, CurrentHexPath(), m_globals.DeviceName(),
                                 [this](TPathDialog dialog) { RunPathDialog(dialog); });
    if (!plan) return;
    m_deviceWatch.Watch(plan->Program);
    try {
        m_seams.Processes().StartProgram(plan->Program, plan->Argv);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
}

} // namespace quarno
