// quarno-ide: start-up of the editor application.
//
// Environment variables for automated runs:
//   QUARNO_PROMPT_LOG      no message box is shown; each is logged to this file
//                          and answered (see TFilePrompts);
//   QUARNO_PROMPT_ANSWERS  the answers, in order ("Cancel,No");
//   QUARNO_EVENT_LOG       start-up milestones are appended here (TEventLog);
//   QUARNO_SCREENSHOT      once the main window has painted, the screen is
//                          written to this file (PNG, or BMP for a ".bmp"
//                          name) and the window is closed.
#include "core/app/AppVersion.h"
#include "core/app/IdeCommandLine.h"
#include "core/app/StartupCheck.h"
#include "core/app/TFilePrompts.h"
#include "core/app/TInstanceMessage.h"
#include "core/app/UserFolder.h"
#include "core/base/Exceptions.h"
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

#include <QDir>
#include <QFileInfo>
#include <QIcon>

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

// The executable's full path without Qt (--version runs before Qt starts).
static std::string ExecutablePath(const char* argv0) {
    QFileInfo self(QStringLiteral("/proc/self/exe"));
    QString path = self.exists() ? self.canonicalFilePath() : QString::fromLocal8Bit(argv0);
    return ToPath(QFileInfo(path).absoluteFilePath());
}

// Answers --help, --version and a wrong option; -1 when the program runs.
static int AnswerCommandLine(const TIdeCommandLine& line, const char* argv0) {
    switch (line.action) {
    case TIdeCommandLine::TAction::Help: std::fputs(IdeUsageText().c_str(), stdout); return 0;
    case TIdeCommandLine::TAction::Version: {
        TAppLayout layout = TAppLayout::Decide(ExecutablePath(argv0));
        std::printf("%s\n%s\n", VersionLine("quarno-ide").c_str(), layout.Description().c_str());
        return 0;
    }
    case TIdeCommandLine::TAction::UsageError:
        std::fprintf(stderr, "quarno-ide: %s\n%s", line.problem.c_str(), IdeUsageText().c_str());
        return 2;
    case TIdeCommandLine::TAction::Run: break;
    }
    return -1;
}

// The files named, made absolute so that the names stay valid whatever the
// current folder is later, and no more than a running copy accepts.
static std::vector<std::string> AbsoluteFiles(const std::vector<std::string>& files) {
    std::vector<std::string> absolute;
    for (const std::string& file : files) {
        if (absolute.size() == TInstanceMessage::kMaxFiles) {
            std::fprintf(stderr, "quarno-ide: only the first %zu files are opened\n",
                         TInstanceMessage::kMaxFiles);
            break;
        }
        absolute.push_back(ToPath(QFileInfo(FromPath(file)).absoluteFilePath()));
    }
    return absolute;
}

// Installed: the user's folder gets what the template has and it lacks.
static void PrepareUserFolder(const TAppLayout& layout, TPrompts& prompts) {
    if (!layout.IsInstalled()) return;
    try {
        TSeedReport report = SeedUserFolder(layout.TemplateFolder(), layout.IncFolder());
        for (const std::string& file : report.copiedFiles)
            TEventLog::Write(QStringLiteral("seeded ") + FromPath(file));
        for (const std::string& key : report.addedKeys)
            TEventLog::Write(QStringLiteral("added ") + FromPath(key));
    } catch (const Exception& error) {
        prompts.ShowException(error.what());
    }
}

// Our own icon: the one installed beside the program (or built beside it),
// else the theme's.
static QIcon ApplicationIcon(const std::string& programFolder) {
    QIcon icon;
    QDir icons(FromPath(programFolder) + QStringLiteral("../share/icons/hicolor"));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QString file = icons.filePath(QStringLiteral("%1x%1/apps/quarno-ide.png").arg(size));
        if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("quarno-ide")) : icon;
}

static int Run(TQuarnoApplication& application, const TAppSeams& seams, TInstanceGuard& guard,
               const std::vector<std::string>& files) {
    std::string executable = ToPath(QCoreApplication::applicationFilePath());
    TAppLayout layout = TAppLayout::Decide(executable);
    PrepareUserFolder(layout, seams.Prompts());
    TAppGlobals folders;
    folders.UseLayout(layout);
    if (!CheckConfigurationFile(seams.Prompts(), folders)) return 1;
    QGuiApplication::setApplicationDisplayName(TAppGlobals::kApplicationTitle);
    QGuiApplication::setDesktopFileName(QStringLiteral("quarno-ide"));
    QApplication::setWindowIcon(ApplicationIcon(layout.ProgramFolder()));

    TApplicationForms forms(seams, executable, files.empty() ? std::string() : files.front());
    forms.CreateAll();
    TEditorMainForm* main = forms.EditorMainForm();
    if (files.size() > 1) main->OpenForwardedFiles({files.begin() + 1, files.end()});
    QObject::connect(&guard, &TInstanceGuard::FilesForwarded, main,
                     &TEditorMainForm::OpenForwardedFiles);
    QObject::connect(&guard, &TInstanceGuard::BringForwardRequested, main,
                     &TEditorMainForm::BringForward);
    std::unique_ptr<TScreenshot> screenshot;
    QString shotPath = qEnvironmentVariable("QUARNO_SCREENSHOT");
    if (!shotPath.isEmpty()) screenshot = std::make_unique<TScreenshot>(main, shotPath);
    forms.ShowMainForm();
    return application.exec();
}

int main(int argc, char** argv) {
    TIdeCommandLine line = ParseIdeCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (int status = AnswerCommandLine(line, argv[0]); status >= 0) return status;

    TQuarnoApplication application(argc, argv);
    // Closing the main window ends the program; hidden or tool windows do not
    // keep it alive, nor does their closing end it.
    application.setQuitOnLastWindowClosed(false);

    std::vector<std::string> files = AbsoluteFiles(line.files);
    TInstanceGuard guard;
    if (!guard.Claim(files)) {
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
        status = Run(application, seams, guard, files);
    } catch (const std::exception& error) {
        application.ShowException(error.what());
    }
    application.SetPrompts(nullptr);
    return status;
}
