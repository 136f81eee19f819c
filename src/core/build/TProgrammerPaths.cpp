// The programmer path dialogs' values.
#include "build/TProgrammerPaths.h"

namespace quarno {

namespace {

constexpr const char* kExtProg = "EXT_PROG";
// Where browsing starts: the root of the file system.
constexpr const char* kBrowseFolder = "/";

} // namespace

TProgPathValues::TFields TProgPathValues::Activate(const TProfileFile& ini) const {
    return {ini.ReadString(kExtProg, "NAME", m_remembered.name),
            ini.ReadString(kExtProg, "EXT_PATH", m_remembered.path),
            ini.ReadString(kExtProg, "CMD_LINE", m_remembered.commandLine)};
}

std::string TProgPathValues::Ok(TFields fields, TProfileFile& ini) {
    if (fields.name.empty()) fields.name = kUndefinedProgrammer;
    ini.WriteString(kExtProg, "NAME", fields.name);
    ini.WriteString(kExtProg, "EXT_PATH", fields.path);
    ini.WriteString(kExtProg, "CMD_LINE", fields.commandLine);
    m_remembered = fields;
    return fields.name;
}

const std::string& TProgPathValues::Browse(const std::optional<std::string>& chosen) {
    m_remembered.path = chosen.value_or(std::string());
    return m_remembered.path;
}

TFileDialogOptions TProgPathValues::BrowseOptions() {
    return {"Find Programmer Directory", "EXE Files|*.EXE;", kBrowseFolder, "*.EXE", "EXE"};
}

const std::string& TOrlaPathValues::Activate(const TProfileFile& ini) {
    m_path = ini.ReadString("ORLA", "PATHNAME", m_path);
    return m_path;
}

void TOrlaPathValues::Ok(TProfileFile& ini) const {
    ini.WriteString("ORLA", "PATHNAME", m_path);
}

const std::string& TOrlaPathValues::Browse(const std::optional<std::string>& chosen) {
    if (chosen) m_path = *chosen;
    return m_path;
}

TFileDialogOptions TOrlaPathValues::BrowseOptions() {
    return {"Find ORLA Directory", "ORLAWIN|ORLAWIN.EXE;", kBrowseFolder, "ORLAWIN.EXE", "EXE"};
}

} // namespace quarno
