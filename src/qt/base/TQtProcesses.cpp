// Starting external programs through QProcess.
#include "qt/base/TQtProcesses.h"

#include "core/app/ProcessCommand.h"
#include "qt/base/TextConversion.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace quarno {

// A started program with what it wrote to its standard error, for the
// report of its end. The QProcess is its child.
class TWatchedProgram : public QObject {
public:
    TWatchedProgram(const std::string& path, const std::vector<std::string>& args)
        : m_process(new QProcess(this)), m_path(path), m_args(args) {
        m_process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
        m_process->setStandardInputFile(QProcess::nullDevice());
        connect(m_process, &QProcess::readyReadStandardError, this,
                &TWatchedProgram::TakeErrorOutput);
    }

    QProcess& Process() const { return *m_process; }

    // Starts it, with wine in front of a Windows executable; false when it
    // could not be started.
    bool Start() {
        TProcessCommand command = ResolveProcessCommand(
            m_path, m_args, ToPath(QStandardPaths::findExecutable(QStringLiteral("wine"))));
        QStringList arguments;
        for (const std::string& argument : command.arguments)
            arguments << FromPath(argument);
        m_process->setProgram(FromPath(command.program));
        m_process->setArguments(arguments);
        if (!KeptByQt(command)) ExecExactBytes(command);
        m_process->start();
        return m_process->waitForStarted(-1);
    }

    TProgramEnd End() {
        TakeErrorOutput();
        return {m_path, m_args, m_process->exitCode(),
                m_process->exitStatus() == QProcess::CrashExit, m_errorOutput};
    }

    // Gives the running program up without ending it: destroying a QProcess
    // would kill its program.
    void Abandon() {
        disconnect(m_process, nullptr, this, nullptr);
        m_process->setParent(nullptr);
        m_process = nullptr;
    }

    ~TWatchedProgram() override {
        if (m_process) disconnect(m_process, nullptr, this, nullptr);
    }

private:
    static bool KeptByQt(const TProcessCommand& command) {
        auto kept = [](const std::string& word) { return ToPath(FromPath(word)) == word; };
        return kept(command.program) &&
               std::all_of(command.arguments.begin(), command.arguments.end(), kept);
    }

    // Qt hands a program its name and arguments as UTF-8, so a Linux file
    // name holding other bytes would arrive changed. Such a start execs the
    // exact bytes itself in the child, once Qt has set up its channels; the
    // words are laid out before the fork, as the child may not allocate.
    void ExecExactBytes(const TProcessCommand& command) {
        auto words = std::make_shared<std::vector<std::string>>();
        words->push_back(command.program);
        words->insert(words->end(), command.arguments.begin(), command.arguments.end());
        auto argv = std::make_shared<std::vector<char*>>();
        for (std::string& word : *words)
            argv->push_back(word.data());
        argv->push_back(nullptr);
        m_process->setChildProcessModifier([words, argv] {
            if (words->front().find('/') != std::string::npos)
                ::execv(argv->front(), argv->data());
            else
                ::execvp(argv->front(), argv->data());
            // Failed: Qt's own exec of the same program reports the failure.
        });
    }

    // Passed on to the IDE's own standard error, and its end kept.
    void TakeErrorOutput() {
        QByteArray bytes = m_process->readAllStandardError();
        if (bytes.isEmpty()) return;
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
        m_errorOutput.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        if (m_errorOutput.size() > TQtProcesses::kErrorOutputKept)
            m_errorOutput.erase(0, m_errorOutput.size() - TQtProcesses::kErrorOutputKept);
    }

    QProcess* m_process;
    std::string m_path;
    std::vector<std::string> m_args;
    std::string m_errorOutput;
};

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

TQtProcesses::~TQtProcesses() {
    for (TWatchedProgram* program : m_running) {
        program->Abandon();
        delete program;
    }
}

bool TQtProcesses::ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) {
    TWatchedProgram program(path, args);
    if (!program.Start()) return false;
    WaitWhileRunning(program.Process());
    if (program.Process().state() == QProcess::NotRunning)
        ReportEnd(program.End());
    else
        program.Abandon(); // the application is quitting
    return true;
}

bool TQtProcesses::Start(const std::string& path, const std::vector<std::string>& args) {
    auto program = std::make_unique<TWatchedProgram>(path, args);
    if (!program->Start()) return false;
    TWatchedProgram* running = program.release();
    m_running.insert(running);
    QObject::connect(&running->Process(), &QProcess::finished, running, [this, running] {
        ReportEnd(running->End());
        Forget(running);
    });
    return true;
}

// Called from the program's own signal: it goes once the signal is done.
void TQtProcesses::Forget(TWatchedProgram* program) {
    m_running.erase(program);
    program->deleteLater();
}

} // namespace quarno
