// A processes double: records every start instead of running anything.
// ExecuteAndWait answers from a queue (default: started); StartProgram fails
// with the application's own error for paths marked as failing; EndProgram
// reports a program's end as the real processes do when it exits.
#pragma once

#include "core/app/TProcesses.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace quarno::test {

class TRecordingProcesses : public TProcesses {
public:
    struct Call {
        bool waited; // ExecuteAndWait rather than StartProgram
        std::string path;
        std::vector<std::string> args;
    };

    void QueueWaitResult(bool started) { m_waitResults.push_back(started); }
    // Runs for each started ExecuteAndWait, standing in for what the program
    // would do (write its result files, say).
    std::function<void(const Call&)> OnExecute;
    void FailToStart(const std::string& path) { m_failing.insert(path); }
    // When set, every program is also run for real through it (the Qt
    // processes), so a test sees what actually reaches the program.
    TProcesses* runner = nullptr;

    bool ExecuteAndWait(const std::string& path, const std::vector<std::string>& args) override {
        m_calls.push_back({true, path, args});
        bool started = true;
        if (!m_waitResults.empty()) {
            started = m_waitResults.front();
            m_waitResults.pop_front();
        }
        if (started && runner) started = runner->ExecuteAndWait(path, args);
        if (started && OnExecute) OnExecute(m_calls.back());
        return started;
    }

    const std::vector<Call>& Calls() const { return m_calls; }
    void EndProgram(const TProgramEnd& end) const { ReportEnd(end); }

protected:
    bool Start(const std::string& path, const std::vector<std::string>& args) override {
        m_calls.push_back({false, path, args});
        if (m_failing.count(path) != 0) return false;
        if (runner) runner->StartProgram(path, args);
        return true;
    }

private:
    std::deque<bool> m_waitResults;
    std::set<std::string> m_failing;
    std::vector<Call> m_calls;
};

} // namespace quarno::test
