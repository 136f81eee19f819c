// Seeding the user's application folder from the installed template.
#include "core/app/UserFolder.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TProfileFile.h"

#include <filesystem>

namespace quarno {

namespace fs = std::filesystem;

namespace {

// The folder without a trailing "/", so that paths below it compare.
fs::path FolderPath(const std::string& folder) {
    fs::path path = fs::path(folder).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

// Anything at all stands there, a dangling link included.
bool Occupied(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

bool IsProfile(const fs::path& path) {
    return SameText(path.extension().string(), ".INI");
}

void CopyFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::copy_file(from, to, fs::copy_options::none, error))
        throw EFCreateError(Format("Cannot create file \"%s\". %s", to.string(), error.message()));
}

void AddMissingKeys(const fs::path& from, const fs::path& to, TSeedReport& report) {
    TProfileFile user(to.string());
    for (const TProfileEntry& entry : TProfileFile(from.string()).Entries()) {
        if (user.HasKey(entry.section, entry.key)) continue;
        user.WriteString(entry.section, entry.key, entry.value);
        report.addedKeys.push_back(to.string() + " [" + entry.section + "] " + entry.key);
    }
}

} // namespace

// Walks the template; every folder and file of it is looked at once.
static void CopyMissing(const fs::path& source, const fs::path& inc, TSeedReport& report) {
    fs::recursive_directory_iterator walk(source);
    for (const fs::directory_entry& entry : walk) {
        fs::path target = inc / entry.path().lexically_relative(source);
        if (entry.is_directory()) {
            // A user's file in the folder's place keeps the folder out.
            if (Occupied(target)) {
                if (!fs::is_directory(target)) walk.disable_recursion_pending();
                continue;
            }
            ForceDirectories(target.string());
            report.createdFolders.push_back(target.string());
        } else if (entry.is_regular_file()) {
            if (!Occupied(target)) {
                CopyFile(entry.path(), target);
                report.copiedFiles.push_back(target.string());
            } else if (IsProfile(target) && FileExists(target.string())) {
                AddMissingKeys(entry.path(), target, report);
            }
        }
    }
}

TSeedReport SeedUserFolder(const std::string& templateFolder, const std::string& incFolder) {
    TSeedReport report;
    if (!DirectoryExists(templateFolder)) return report;
    fs::path source = FolderPath(templateFolder);
    fs::path inc = FolderPath(incFolder);
    if (!DirectoryExists(inc.parent_path().string())) {
        ForceDirectories(inc.parent_path().string(), 0700);
        report.createdFolders.push_back(inc.parent_path().string());
    }
    if (!Occupied(inc)) {
        ForceDirectories(inc.string());
        report.createdFolders.push_back(inc.string());
    }
    try {
        CopyMissing(source, inc, report);
    } catch (const fs::filesystem_error& error) {
        throw EFOpenError(
            Format("Cannot open file \"%s\". %s", error.path1().string(), error.code().message()));
    }
    return report;
}

} // namespace quarno
