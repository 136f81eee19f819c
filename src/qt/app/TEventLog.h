// Start-up milestones for the tests that run quarno-ide as a process: when the
// environment variable QUARNO_EVENT_LOG names a file, each event is appended to
// it as one line ("create TEdFindDlg", "FormActivate", "bring-forward"...).
// Without the variable nothing is written.
#pragma once

#include <QString>

namespace quarno {

class TEventLog {
public:
    static void Write(const QString& event);
};

} // namespace quarno
