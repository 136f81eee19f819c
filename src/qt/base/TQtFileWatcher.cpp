// The real file watcher.
#include "qt/base/TQtFileWatcher.h"

#include "qt/base/TextConversion.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace quarno {

namespace {

QString FolderOf(const QString& file) {
    return QFileInfo(file).absolutePath();
}

} // namespace

TQtFileWatcher::TQtFileWatcher(QObject* parent)
    : QObject(parent), m_watcher(new QFileSystemWatcher(this)) {
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &TQtFileWatcher::FileChanged);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &TQtFileWatcher::FolderChanged);
}

void TQtFileWatcher::Watch(const std::vector<std::string>& files) {
    if (!m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
    m_files.clear();
    QStringList folders;
    for (const std::string& file : files) {
        QString path = FromPath(file);
        m_files.append(path);
        if (!folders.contains(FolderOf(path))) folders.append(FolderOf(path));
        if (QFileInfo::exists(path)) m_watcher->addPath(path);
    }
    for (const QString& folder : folders)
        if (QFileInfo(folder).isDir()) m_watcher->addPath(folder);
}

QStringList TQtFileWatcher::WatchedFiles() const {
    return m_watcher->files();
}

void TQtFileWatcher::FileChanged(const QString& path) {
    Rearm(FolderOf(path));
    ReportChange();
}

// Other files of the folder change too (the compiler's outputs, backups):
// only one of ours appearing again is news.
void TQtFileWatcher::FolderChanged(const QString& folder) {
    if (Rearm(folder)) ReportChange();
}

bool TQtFileWatcher::Rearm(const QString& folder) {
    bool rearmed = false;
    const QStringList watched = m_watcher->files();
    for (const QString& file : m_files) {
        if (FolderOf(file) != folder || watched.contains(file) || !QFileInfo::exists(file))
            continue;
        rearmed = m_watcher->addPath(file) || rearmed;
    }
    return rearmed;
}

} // namespace quarno
