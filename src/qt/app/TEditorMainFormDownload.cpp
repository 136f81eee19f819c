// The main window's bootloader commands: choosing one of the four
// downloaders, their two path dialogs and the Download command.
#include "qt/app/TEditorMainForm.h"

#include "core/base/FileUtils.h"
#include "core/toolchain/TProgrammerPaths.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/TBootloader_Parameters.h"
#include "qt/dialogs/TFind_FERNWICK.h"

#include <QAction>
#include <QMenu>

namespace quarno {

void TEditorMainForm::SetBootloaderDialogs(TBootloader_Parameters& bootPath,
                                           TFind_FERNWICK& fernwickPath) {
    m_bootPath = &bootPath;
    m_fernwickPath = &fernwickPath;
    bootPath.Configure(m_seams.FileDialogs(), m_globals.ConfigFileName());
    fernwickPath.Configure(m_seams.FileDialogs(), m_globals.ConfigFileName());
}

void TEditorMainForm::AddBootloaderItems(QMenu* menu) {
    QMenu* choose = menu->addMenu(QStringLiteral("Choose Bootloader"));
    choose->setObjectName(QStringLiteral("ChooseBootloader1"));
    choose->menuAction()->setStatusTip(QStringLiteral("CHosse the type of bootloader to use"));
    const struct {
        const char* name;
        const char* caption;
        TBootloaderKind kind;
    } items[] = {{"Standard_Bootloader_Option", "Standard", TBootloaderKind::bkStandard},
                 {"Fernwick_Option", "Fernwick", TBootloaderKind::bkFernwick},
                 {"QUARNO_IR_Bootloader_Option", "QUARNO IR", TBootloaderKind::bkInfrared},
                 {"External_Bootloader_Option", "Unspecified", TBootloaderKind::bkOther}};
    for (const auto& item : items) {
        QAction* action = AddItem(choose, {item.name, item.caption, {}, nullptr},
                                  [this, kind = item.kind] { ChooseBootloader(kind); });
        action->setCheckable(true);
        m_bootItems[static_cast<size_t>(item.kind)] = action;
    }
    QAction* infrared = m_bootItems[static_cast<size_t>(TBootloaderKind::bkInfrared)];
    infrared->setVisible(false);
    infrared->setEnabled(false);
    ShowBootloaderMarks();
    AddItem(
        menu,
        {"BootloaderPath", "Bootloader Path...", {}, "Choose and Locate an External Bootloader"},
        [this] { BootloaderPathClick(); });
    AddItem(menu, {"FernwickPath", "FERNWICK Path...", {}, "Locate FernWick Directory"},
            [this] { FernwickPathClick(); });
}

// The menu follows the choice; the infrared item only while it is offered.
void TEditorMainForm::ShowBootloaderMarks() {
    for (size_t kind = 0; kind < m_bootItems.size(); ++kind)
        m_bootItems[kind]->setChecked(m_bootloader.Marked(static_cast<TBootloaderKind>(kind)));
    QAction* infrared = m_bootItems[static_cast<size_t>(TBootloaderKind::bkInfrared)];
    infrared->setEnabled(m_bootloader.InfraredEnabled());
    infrared->setVisible(m_bootloader.InfraredEnabled());
}

void TEditorMainForm::ShowInfraredBootloaderItem() {
    if (FileExists(m_globals.IncFolder() + kInfraredBootloaderFile))
        m_bootloader.SetInfraredEnabled(true);
    ShowBootloaderMarks();
}

void TEditorMainForm::ChooseBootloader(TBootloaderKind kind) {
    TProfileFile ini = m_globals.Config();
    m_bootloader.Choose(kind, ini);
    ShowBootloaderMarks();
}

void TEditorMainForm::BootloaderPathClick() {
    RunPathDialog(TPathDialog::pdBootloader);
    std::string name = m_globals.Config().ReadString("EXT_BOOTLOADER", "NAME", "");
    m_globals.SetExtBootloaderName(name.empty() ? kUndefinedProgrammer : name);
    m_bootItems[static_cast<size_t>(TBootloaderKind::bkOther)]->setText(
        FromAnsi(m_globals.ExtBootloaderName()));
}

void TEditorMainForm::FernwickPathClick() {
    RunPathDialog(TPathDialog::pdFernwick);
}

// The standard and infrared downloaders are waited for, the others run
// beside the IDE; a start that fails is reported with its reason either way.
void TEditorMainForm::DownloadButtonClick() {
    TProfileFile ini = m_globals.Config();
    TDownloadPlan plan = m_bootloader.PlanDownload(
        ini, m_globals.IncFolder(), CurrentHexPath(), m_globals.DeviceName(),
        [this](TPathDialog dialog) { RunPathDialog(dialog); });
    ShowBootloaderMarks();
    if (!plan.Information.empty())
        m_seams.Prompts().Show(TPromptKind::Information, plan.Information);
    if (!plan.Launch) return;
    m_deviceWatch.Watch(plan.Launch->Program);
    if (plan.Launch->Wait) {
        if (!m_seams.Processes().ExecuteAndWait(plan.Launch->Program, plan.Launch->Argv))
            m_seams.Prompts().ShowException(
                m_seams.Processes().StartFailureMessage(plan.Launch->Program));
        return;
    }
    try {
        m_seams.Processes().StartProgram(plan.Launch->Program, plan.Launch->Argv);
    } catch (const Exception& error) {
        m_seams.Prompts().ShowException(error.what());
    }
}

} // namespace quarno
