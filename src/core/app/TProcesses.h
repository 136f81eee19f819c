// The processes seam: the two ways every external program is started, and
// the report of how a started program ended.
#pragma once

#include "core/base/Exceptions.h"

#include <functional>
#include <string>
#include <vector>

namespace quarno {

// "Problem Running <path>": an external program could not be started.
class EProgramStart : public Exception {
public:
    using Exception::Exception;
};

// How a started program ended on its own.
struct TProgramEnd {
    std::string path; // as it was asked for, before wine was put in front
    std::vector<std::string> args;
    int exitCode = 0;
    bool crashed = false;
    // The last few kilobytes it wrote to its standard error.
    std::string errorOutput;
};

class TProcesses {
public:
    virtual ~TProcesses() = default;

    // Starts the program with args (each one argv word, so a path with blanks
    // stays one argument) and waits for it to end while the windows stay
    // live; stops waiting early when the application is closing. False when
    // it could not be started; nothing is reported.
    virtual bool ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) = 0;

    // Starts the program and returns at once; EProgramStart with
    // StartFailureMessage(path) when it cannot be started.
    void StartProgram(const std::string& path, const std::vector<std::string>& args);

    // "Problem Running <path>", then ": " and why when the file tells (wine
    // is looked for on PATH).
    virtual std::string StartFailureMessage(const std::string& path) const;

    // Told on the user-interface thread when a program started either way
    // ends by itself (not when the application leaves it running at exit).
    std::function<void(const TProgramEnd&)> OnProgramEnded;

protected:
    // Starts without waiting; false when the start failed.
    virtual bool Start(const std::string& path, const std::vector<std::string>& args) = 0;
    void ReportEnd(const TProgramEnd& end) const {
        if (OnProgramEnded) OnProgramEnded(end);
    }
};

} // namespace quarno
