// The user's own programmer or bootloader as KBX.INI keeps it (NAME, EXT_PATH,
// CMD_LINE), and what the path dialogs' OK stores.
#pragma once

#include "core/base/TProfileFile.h"

#include <string>

namespace quarno {

inline constexpr const char* kProgrammerSection = "EXT_PROG";
inline constexpr const char* kBootloaderSection = "EXT_BOOTLOADER";
inline constexpr const char* kUndefinedName = "Undefined";

struct TExternalTool {
    std::string Name;
    std::string Path;
    std::string CmdLine;
};

// The three keys of section, each defaulting to the matching field of
// fallback (the dialog's remembered values).
TExternalTool ReadExternalTool(const TProfileFile& ini, const std::string& section,
                               const TExternalTool& fallback = {});
// The dialog's OK: an empty name is stored as "Undefined". Returns what was
// stored.
TExternalTool StoreExternalTool(TProfileFile& ini, const std::string& section, TExternalTool tool);
// The menu caption of a user tool: its name, or "Undefined" when empty.
std::string ExternalToolCaption(const std::string& name);

} // namespace quarno
