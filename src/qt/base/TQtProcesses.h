// The real processes: QProcess, with wine in front of Windows executables
// when wine is installed.
#pragma once

#include "core/app/TProcesses.h"

#include <set>

namespace quarno {

class TWatchedProgram;

class TQtProcesses : public TProcesses {
public:
    static constexpr int kPollMilliseconds = 100;
    // What is kept of a program's standard error for the report of its end.
    static constexpr size_t kErrorOutputKept = 4096;

    TQtProcesses() = default;
    // Programs still running go on running.
    ~TQtProcesses() override;
    TQtProcesses(const TQtProcesses&) = delete;
    TQtProcesses& operator=(const TQtProcesses&) = delete;

    // Polls the program every 100 ms in a nested event loop, so windows
    // repaint and commands run during the wait (a command chosen meanwhile
    // runs inside this call). Quitting the application ends the wait and
    // leaves the program running.
    bool ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) override;

protected:
    // The program runs beside the IDE; its end is reported when the event
    // loop sees it. Its standard output passes through; its standard error
    // too, and the last part of it goes into the report.
    bool Start(const std::string& path, const std::vector<std::string>& args) override;

private:
    void Forget(TWatchedProgram* program);

    std::set<TWatchedProgram*> m_running; // owned; started by Start
};

} // namespace quarno
