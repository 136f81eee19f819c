// The application and INC folders and the process-wide values.
#include "core/app/TAppGlobals.h"

#include "core/base/FileUtils.h"

namespace quarno {

void TAppGlobals::ComputeFolders(const std::string& executablePath) {
    m_applicationFolder = ExtractFilePath(executablePath);
    if (m_applicationFolder.empty()) m_applicationFolder = "./";
    m_incFolder = m_applicationFolder + "INC/";
}

} // namespace quarno
