// The portable and installed layouts and the choice between them.
#include "core/app/TAppLayout.h"

#include "core/base/FileUtils.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

// The template's place relative to the executable's folder; the build sets
// it from the install folders it uses.
#ifndef QUARNO_TEMPLATE_FROM_BIN
#define QUARNO_TEMPLATE_FROM_BIN "../share/quarno/INC"
#endif

namespace quarno {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ProgramFolderOf(const std::string& executablePath) {
    std::string folder = ExtractFilePath(executablePath);
    return folder.empty() ? "./" : folder;
}

} // namespace

TLayoutEnvironment TLayoutEnvironment::Current() {
    TLayoutEnvironment environment{Environment("XDG_DATA_HOME"), Environment("HOME")};
    if (environment.home.empty())
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            environment.home = entry->pw_dir;
    return environment;
}

std::string UserDataFolder(const TLayoutEnvironment& environment) {
    std::string base = environment.xdgDataHome;
    if (base.empty() || base.front() != '/') base = WithSlash(environment.home) + ".local/share";
    return WithSlash(base) + TAppLayout::kUserFolderName + "/";
}

TAppLayout TAppLayout::Portable(const std::string& executablePath) {
    TAppLayout layout;
    layout.m_programFolder = ProgramFolderOf(executablePath);
    layout.m_applicationFolder = layout.m_programFolder;
    return layout;
}

TAppLayout TAppLayout::Decide(const std::string& executablePath,
                              const TLayoutEnvironment& environment) {
    TAppLayout layout = Portable(executablePath);
    if (FileExists(layout.m_programFolder + "INC/KBX.INI")) return layout;
    layout.m_kind = TLayoutKind::Installed;
    layout.m_applicationFolder = UserDataFolder(environment);
    std::filesystem::path templateFolder =
        std::filesystem::path(layout.m_programFolder) / QUARNO_TEMPLATE_FROM_BIN;
    layout.m_templateFolder = WithSlash(templateFolder.lexically_normal().string());
    return layout;
}

std::string TAppLayout::Description() const {
    if (IsInstalled())
        return "Installed: your files are in " + m_applicationFolder + ", the templates in " +
               m_templateFolder;
    return "Portable: all files are in " + m_applicationFolder;
}

} // namespace quarno
