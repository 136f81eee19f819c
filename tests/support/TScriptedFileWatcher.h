// A file-watcher double: records the files it is told to watch and reports a
// change when the test says a watched file changed.
#pragma once

#include "core/app/TFileWatcher.h"

#include <string>
#include <vector>

namespace quarno::test {

class TScriptedFileWatcher : public TFileWatcher {
public:
    void Watch(const std::vector<std::string>& files) override {
        watched = files;
        ++calls;
    }
    // As the real watcher does when the system reports a change.
    void Fire() const { ReportChange(); }

    std::vector<std::string> watched;
    int calls = 0;
};

} // namespace quarno::test
