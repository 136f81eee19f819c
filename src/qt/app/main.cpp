// quarno-ide: start-up of the editor application.
//
// Environment variables for automated runs:
//   QUARNO_PROMPT_LOG      no message box is shown; each is logged to this file
//                          and answered (see TFilePrompts);
//   QUARNO_PROMPT_ANSWERS  the answers, in order ("Cancel,No");
//   QUARNO_EVENT_LOG       start-up milestones are appended here (TEventLog);
//   QUARNO_SCREENSHOT      once the main window has painted, the screen is
//                          written to this PNG file and the program ends.
#include "core/app/StartupCheck.h"
#include "core/app/TFilePrompts.h"
#include "qt/app/TApplicationForms.h"
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TEventLog.h"
#include "qt/app/TInstanceGuard.h"
#include "qt/app/TQuarnoApplication.h"
#include "qt/app/TScreenshot.h"
#include "qt/base/TQtDesktop.h"
#include "qt/base/TQtFileDialogs.h"
#include "qt/base/TQtProcesses.h"
#include "qt/base/TQtProgress.h"
#include "qt/base/TQtPrompts.h"
#include "qt/base/TextConversion.h"

#include <QFileInfo>

#include <cstdio>
#include <memory>

using namespace quarno;

static std::unique_ptr<TPrompts> CreatePrompts() {
    QString log = qEnvironmentVariable("QUARNO_PROMPT_LOG");
    if (log.isEmpty()) return std::make_unique<TQtPrompts>();
    return std::make_unique<TFilePrompts>(
        ToPath(log),
        TFilePrompts::ParseAnswers(qEnvironmentVariable("QUARNO_PROMPT_ANSWERS").toStdString()));
}

// The first argument, made absolute so that the name stays valid whatever the
// current folder is later.
static std::string StartupFile(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].isEmpty()) return std::string();
    return ToPath(QFileInfo(arguments[1]).absoluteFilePath());
}

static int Run(TQuarnoApplication& application, const TAppSeams& seams, TInstanceGuard& guard) {
    std::string executable = ToPath(QCoreApplication::applicationFilePath());
    TAppGlobals folders;
    folders.ComputeFolders(executable);
    if (!CheckConfigurationFile(seams.Prompts(), folders)) return 1;
    QGuiApplication::setApplicationDisplayName(TAppGlobals::kApplicationTitle);

    TApplicationForms forms(seams, executable, StartupFile(QCoreApplication::arguments()));
    forms.CreateAll();
    QObject::connect(&guard, &TInstanceGuard::BringForwardRequested, forms.EditorMainForm(),
                     &TEditorMainForm::BringForward);
    std::unique_ptr<TScreenshot> screenshot;
    QString shotPath = qEnvironmentVariable("QUARNO_SCREENSHOT");
    if (!shotPath.isEmpty())
        screenshot = std::make_unique<TScreenshot>(forms.EditorMainForm(), shotPath);
    forms.ShowMainForm();
    return application.exec();
}

int main(int argc, char** argv) {
    TQuarnoApplication application(argc, argv);
    // Closing the main window ends the program; hidden or tool windows do not
    // keep it alive, nor does their closing end it.
    application.setQuitOnLastWindowClosed(false);

    TInstanceGuard guard;
    if (!guard.Claim()) {
        TEventLog::Write(QStringLiteral("second-instance"));
        return 0;
    }
    TEventLog::Write(QStringLiteral("first-instance"));

    std::unique_ptr<TPrompts> prompts = CreatePrompts();
    TQtFileDialogs fileDialogs;
    TQtProcesses processes;
    TQtDesktop desktop;
    TQtProgress progress;
    TAppSeams seams(*prompts, fileDialogs, processes, desktop, &progress);
    application.SetPrompts(prompts.get());
    int status = 1;
    try {
        status = Run(application, seams, guard);
    } catch (const std::exception& error) {
        application.ShowException(error.what());
    }
    application.SetPrompts(nullptr);
    return status;
}
