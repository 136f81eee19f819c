// The programmer path dialogs' values.
#include "core/toolchain/TProgrammerPaths.h"

namespace quarno {

namespace {

// Where browsing starts: the root of the file system.
constexpr const char* kBrowseFolder = "/";

} // namespace

TProgPathValues::TProgPathValues(std::string section, std::string browseTitle)
    : m_section(std::move(section)), m_browseTitle(std::move(browseTitle)) {}

TProgPathValues::TFields TProgPathValues::Activate(const TProfileFile& ini) const {
    return {ini.ReadString(m_section, "NAME", m_remembered.name),
            ini.ReadString(m_section, "EXT_PATH", m_remembered.path),
            ini.ReadString(m_section, "CMD_LINE", m_remembered.commandLine)};
}

std::string TProgPathValues::Ok(TFields fields, TProfileFile& ini) {
    if (fields.name.empty()) fields.name = kUndefinedProgrammer;
    ini.WriteString(m_section, "NAME", fields.name);
    ini.WriteString(m_section, "EXT_PATH", fields.path);
    ini.WriteString(m_section, "CMD_LINE", fields.commandLine);
    m_remembered = fields;
    return fields.name;
}

std::string TProgPathValues::Browse(const std::optional<std::string>& chosen,
                                    const std::string& shown) {
    if (!chosen) return shown;
    m_remembered.path = *chosen;
    return *chosen;
}

TFileDialogOptions TProgPathValues::BrowseOptions() const {
    return {m_browseTitle, "EXE Files|*.EXE;", kBrowseFolder, "*.EXE", "EXE"};
}

TOrlaPathValues::TOrlaPathValues(std::string section, std::string program)
    : m_section(std::move(section)), m_program(std::move(program)) {}

const std::string& TOrlaPathValues::Activate(const TProfileFile& ini) {
    m_path = ini.ReadString(m_section, "PATHNAME", m_path);
    return m_path;
}

void TOrlaPathValues::Ok(TProfileFile& ini) const {
    ini.WriteString(m_section, "PATHNAME", m_path);
}

const std::string& TOrlaPathValues::Browse(const std::optional<std::string>& chosen) {
    if (chosen) m_path = *chosen;
    return m_path;
}

// "Find ORLA Directory" for ORLAWIN.EXE, "Find FERNWICK Directory" for
// FERNWICK.EXE.
TFileDialogOptions TOrlaPathValues::BrowseOptions() const {
    std::string file = m_program + ".EXE";
    return {"Find " + m_section + " Directory", m_program + "|" + file + ";", kBrowseFolder, file,
            "EXE"};
}

} // namespace quarno
