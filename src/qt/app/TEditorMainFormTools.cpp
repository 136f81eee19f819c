// The main window's outside programs: the Run menus with the programs of the
// external-programs folder, the serial terminal, the calculator, the help
// file, the user guide and the about box, and the report of a programmer,
// bootloader or terminal that failed on a serial device.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/base/FileUtils.h"
#include "core/toolchain/ExternalPrograms.h"
#include "core/toolchain/TToolCommands.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/TAboutForm.h"
#include "qt/editor/TLexipad.h"

#include <QAction>
#include <QMenu>

namespace quarno {

// Built once, at the first activation, when the folder holds programs; the
// first program takes the place of each menu's empty placeholder.
void TEditorMainForm::BuildRunMenus() {
    std::vector<std::string> programs = ListExternalPrograms(m_globals.IncFolder());
    if (programs.empty()) return;
    for (QAction* item : m_runItems) {
        item->setVisible(true);
        item->setEnabled(true);
    }
    for (QAction* item : m_runItems)
        if (QMenu* menu = item->menu()) AddRunItems(menu, programs);
}

void TEditorMainForm::AddRunItems(QMenu* menu, const std::vector<std::string>& programs) {
    QList<QAction*> items = menu->actions();
    QAction* placeholder = items.isEmpty() ? nullptr : items.front();
    for (const std::string& program : programs) {
        std::string caption = ExtractFileName(program);
        QAction* item = placeholder ? placeholder : menu->addAction(QString());
        placeholder = nullptr;
        // An "&" in a file name is shown, not taken for a mnemonic.
        item->setText(FromPath(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setEnabled(true);
        connect(item, &QAction::triggered, this,
                [this, caption] { RunCommand([this, &caption] { RunExternalProgram(caption); }); });
    }
}

// The hand-back goes into the document shown; without one it waits in the
// file for the next run.
void TEditorMainForm::RunExternalProgram(const std::string& caption) {
    if (!m_documents->Current()) return;
    quarno::RunExternalProgram(m_globals.IncFolder(), caption, m_seams.Processes(), *m_lexipad1);
}

TToolCommands& TEditorMainForm::ToolCommands() {
    if (!m_toolCommands) {
        m_toolCommands = std::make_unique<TToolCommands>(m_seams.Processes(), m_seams.Desktop(),
                                                         m_globals.IncFolder());
        m_toolCommands->SetDeviceWatch(&m_deviceWatch);
    }
    return *m_toolCommands;
}

void TEditorMainForm::Terminal1Click() {
    ToolCommands().Terminal1Click();
}

void TEditorMainForm::CalculatorItemClick() {
    ToolCommands().CalculatorItemClick();
}

void TEditorMainForm::HelpMenuItemClick() {
    ToolCommands().HelpMenuItemClick();
}

void TEditorMainForm::UserGuideClick() {
    ToolCommands().UserGuideClick();
}

void TEditorMainForm::About1Click() {
    if (!m_aboutForm) return;
    m_aboutForm->setEnabled(true);
    m_aboutForm->exec();
}

void TEditorMainForm::ProgramEnded(const TProgramEnd& end) {
    std::string message = m_deviceWatch.EndMessage(end);
    if (!message.empty()) m_seams.Prompts().ShowException(message);
}

} // namespace quarno
