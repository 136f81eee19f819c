// The watch over programs that use serial devices.
#include "core/app/TDeviceToolWatch.h"

#include "core/app/ProcessCommand.h"

namespace quarno {

std::string TDeviceToolWatch::EndMessage(const TProgramEnd& end) const {
    if (!Watches(end.path)) return std::string();
    std::string reason = DeviceAccessReason(end, SerialDeviceNodes(m_deviceFolder, *m_access));
    return reason.empty() ? std::string() : ProblemRunningMessage(end.path, reason);
}

} // namespace quarno
