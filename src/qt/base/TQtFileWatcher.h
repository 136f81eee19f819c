// The real file watcher: QFileSystemWatcher over the documents' files and
// their folders. A program that saves by writing a new file and renaming it
// over the old one leaves the old inode unwatched; the watch is put back on
// the new file, at once or when its folder reports it.
#pragma once

#include "core/app/TFileWatcher.h"

#include <QObject>
#include <QStringList>

class QFileSystemWatcher;

namespace quarno {

class TQtFileWatcher : public QObject, public TFileWatcher {
    Q_OBJECT
public:
    explicit TQtFileWatcher(QObject* parent = nullptr);

    void Watch(const std::vector<std::string>& files) override;
    // The files the system watches right now (those that exist).
    QStringList WatchedFiles() const;

private:
    void FileChanged(const QString& path);
    void FolderChanged(const QString& folder);
    // Watches again each file of ours that exists but is not watched; true
    // when one was.
    bool Rearm(const QString& folder);

    QFileSystemWatcher* m_watcher; // a child
    QStringList m_files;           // every file we were asked to watch
};

} // namespace quarno
