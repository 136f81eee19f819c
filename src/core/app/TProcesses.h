// The processes seam: the two ways every external program is started.
#pragma once

#include "core/base/Exceptions.h"

#include <string>
#include <vector>

namespace quarno {

// "Problem Running <path>": an external program could not be started.
class EProgramStart : public Exception {
public:
    using Exception::Exception;
};

class TProcesses {
public:
    virtual ~TProcesses() = default;

    // Starts the program with args (each one argv word, so a path with blanks
    // stays one argument) and waits for it to end while the windows stay
    // live; stops waiting early when the application is closing. False when
    // it could not be started; nothing is reported.
    virtual bool ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) = 0;

    // Starts the program and returns at once; EProgramStart when it cannot be
    // started.
    void StartProgram(const std::string& path, const std::vector<std::string>& args);

    // "Problem Running <path>", then ": " and why when the file tells.
    virtual std::string StartFailureMessage(const std::string& path) const;

protected:
    // Starts without waiting; false when the start failed.
    virtual bool Start(const std::string& path, const std::vector<std::string>& args) = 0;
};

} // namespace quarno
