// The event log of automated runs.
#include "qt/app/TEventLog.h"

#include <QFile>

namespace quarno {

void TEventLog::Write(const QString& event) {
    static const QString path = qEnvironmentVariable("QUARNO_EVENT_LOG");
    if (path.isEmpty()) return;
    // Opened for each line, so a test reading the file sees it at once.
    QFile file(path);
    if (file.open(QIODevice::Append)) file.write(event.toUtf8() + '\n');
}

} // namespace quarno
