// Starting external programs through QProcess.
#include "qt/base/TQtProcesses.h"

#include "core/app/ProcessCommand.h"
#include "qt/base/TextConversion.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace quarno {

static TProcessCommand Resolve(const std::string& path, const std::vector<std::string>& args) {
    return ResolveProcessCommand(path, args,
                                 ToPath(QStandardPaths::findExecutable(QStringLiteral("wine"))));
}

static QStringList Arguments(const TProcessCommand& command) {
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << FromPath(argument);
    return arguments;
}

// Returns when the program has ended or the application is quitting (which
// ends every nested event loop).
static void WaitWhileRunning(QProcess& process) {
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(TQtProcesses::kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&process, &loop] {
        if (process.state() == QProcess::NotRunning) loop.quit();
    });
    poll.start();
    loop.exec();
}

bool TQtProcesses::ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) {
    TProcessCommand command = Resolve(path, args);
    auto process = std::make_unique<QProcess>();
    process->setProgram(FromPath(command.program));
    process->setArguments(Arguments(command));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(-1)) return false;
    WaitWhileRunning(*process);
    // Destroying a QProcess kills its program; one still running because the
    // application is quitting is left to finish on its own.
    if (process->state() != QProcess::NotRunning) (void)process.release();
    return true;
}

std::string TQtProcesses::StartFailureMessage(const std::string& path) const {
    std::string reason =
        StartProblem(path, ToPath(QStandardPaths::findExecutable(QStringLiteral("wine"))));
    return "Problem Running " + path + (reason.empty() ? "" : ": " + reason);
}

bool TQtProcesses::Start(const std::string& path, const std::vector<std::string>& args) {
    TProcessCommand command = Resolve(path, args);
    return QProcess::startDetached(FromPath(command.program), Arguments(command));
}

} // namespace quarno
