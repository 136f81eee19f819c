// The real processes: QProcess, with wine in front of Windows executables
// when wine is installed.
#pragma once

#include "core/app/TProcesses.h"

namespace quarno {

class TQtProcesses : public TProcesses {
public:
    static constexpr int kPollMilliseconds = 100;

    // Polls the program every 100 ms in a nested event loop, so windows
    // repaint and commands run during the wait (a command chosen meanwhile
    // runs inside this call). Quitting the application ends the wait and
    // leaves the program running.
    bool ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) override;

    std::string StartFailureMessage(const std::string& path) const override;

protected:
    bool Start(const std::string& path, const std::vector<std::string>& args) override;
};

} // namespace quarno
