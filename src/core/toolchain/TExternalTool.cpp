// The user's own programmer or bootloader settings.
#include "core/toolchain/TExternalTool.h"

namespace quarno {

TExternalTool ReadExternalTool(const TProfileFile& ini, const std::string& section,
                               const TExternalTool& fallback) {
    return {ini.ReadString(section, "NAME", fallback.Name),
            ini.ReadString(section, "EXT_PATH", fallback.Path),
            ini.ReadString(section, "CMD_LINE", fallback.CmdLine)};
}

TExternalTool StoreExternalTool(TProfileFile& ini, const std::string& section, TExternalTool tool) {
    if (tool.Name.empty()) tool.Name = kUndefinedName;
    ini.WriteString(section, "NAME", tool.Name);
    ini.WriteString(section, "EXT_PATH", tool.Path);
    ini.WriteString(section, "CMD_LINE", tool.CmdLine);
    return tool;
}

std::string ExternalToolCaption(const std::string& name) {
    return name.empty() ? kUndefinedName : name;
}

} // namespace quarno
