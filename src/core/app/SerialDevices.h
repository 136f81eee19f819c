// Serial and USB serial devices (/dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM*) that
// a programmer, bootloader or terminal needs to write, and the plain-words
// reason when a program failed because the user may not write them.
#pragma once

#include "core/app/TProcesses.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarno {

inline constexpr const char* kDeviceFolder = "/dev/";

struct TDeviceNode {
    std::string path;
    bool writable = true;
    std::string group; // the group owning the node
};

// What the system says about a device node; tests give their own answers.
class IDeviceAccess {
public:
    virtual ~IDeviceAccess() = default;
    virtual bool Writable(const std::string& path) const = 0;
    // The owning group's name, or its number when it has no name.
    virtual std::string OwningGroup(const std::string& path) const = 0;
};

// The running user's access, as the kernel checks it.
class TSystemDeviceAccess : public IDeviceAccess {
public:
    bool Writable(const std::string& path) const override;
    std::string OwningGroup(const std::string& path) const override;
};

// ttyS<n>, ttyUSB<n> or ttyACM<n>.
bool IsSerialDeviceName(std::string_view name);

// The serial device nodes of folder (with its trailing "/"): the USB ones
// (ttyUSB, ttyACM) first, then ttyS, each kind in the order of its number.
std::vector<TDeviceNode> SerialDeviceNodes(const std::string& folder, const IDeviceAccess& access);

// Why a program that ended in failure could not use a device. "" unless it
// ended with a non-zero status or crashed, and it either named a device (in
// its arguments or its error output) or wrote a permission error, and at
// least one of those devices (all of nodes when it named none) is not
// writable. Names the devices, the groups that own them, and the way in.
std::string DeviceAccessReason(const TProgramEnd& end, const std::vector<TDeviceNode>& nodes);

} // namespace quarno
