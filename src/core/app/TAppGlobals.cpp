// The application and INC folders and the process-wide values.
#include "app/TAppGlobals.h"

#include "base/FileUtils.h"

namespace quarno {

void TAppGlobals::ComputeFolders(const std::string& executablePath) {
    m_applicationFolder = ExtractFilePath(executablePath);
    if (m_applicationFolder.empty()) m_applicationFolder = "./";
    m_incFolder = m_applicationFolder + "INC/";
}

} // namespace quarno
