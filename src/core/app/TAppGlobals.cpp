// The application and INC folders and the process-wide values.
#include "core/app/TAppGlobals.h"

namespace quarno {

void TAppGlobals::ComputeFolders(const std::string& executablePath) {
    UseLayout(TAppLayout::Portable(executablePath));
}

void TAppGlobals::UseLayout(const TAppLayout& layout) {
    m_layout = layout;
    m_applicationFolder = layout.ApplicationFolder();
    m_incFolder = layout.IncFolder();
}

} // namespace quarno
