// Watches the programs that talk to a chip through a serial or USB device
// (programmers, bootloaders, the serial terminal): when one of them ends in
// failure on a device the user may not write, it says why.
#pragma once

#include "core/app/SerialDevices.h"

#include <set>
#include <string>
#include <utility>

namespace quarno {

class TDeviceToolWatch {
public:
    // access and the folder of the device nodes (with its trailing "/") are
    // asked when a watched program ends; access must outlive the watch.
    explicit TDeviceToolWatch(const IDeviceAccess& access, std::string deviceFolder = kDeviceFolder)
        : m_access(&access), m_deviceFolder(std::move(deviceFolder)) {}
    // Other devices to ask (a test's own); access must outlive the watch.
    void SetDevices(const IDeviceAccess& access, std::string deviceFolder) {
        m_access = &access;
        m_deviceFolder = std::move(deviceFolder);
    }

    void Watch(const std::string& path) { m_watched.insert(path); }
    bool Watches(const std::string& path) const { return m_watched.count(path) != 0; }

    // "Problem Running <path>" with the device reason for a watched program
    // that failed on a device; "" for every other end.
    std::string EndMessage(const TProgramEnd& end) const;

private:
    const IDeviceAccess* m_access;
    std::string m_deviceFolder;
    std::set<std::string> m_watched;
};

} // namespace quarno
