// Opening files and addresses through the desktop.
#include "qt/base/TQtDesktop.h"

#include "qt/base/TextConversion.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quarno {

bool TQtDesktop::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(path)));
}

bool TQtDesktop::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool TQtDesktop::HasOpenerFor(const std::string& path) {
    QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty()) return false;
    QString type = QMimeDatabase().mimeTypeForFile(FromPath(path)).name();
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!process.waitForFinished(kQueryMilliseconds)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace quarno
