// The file-watching seam: the documents name the files they show, the
// watcher reports when one of them (or the folder holding it) changed. What
// changed is decided by the documents themselves, comparing what is on disk
// with what they loaded or saved, so a watcher may report too often but
// must not stay silent.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quarno {

class TFileWatcher {
public:
    virtual ~TFileWatcher() = default;

    // Replaces the set of watched files.
    virtual void Watch(const std::vector<std::string>& files) = 0;
    // Called when a watched file may have changed.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void ReportChange() const {
        if (m_onChange) m_onChange();
    }

private:
    std::function<void()> m_onChange;
};

} // namespace quarno
