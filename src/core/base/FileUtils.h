// File helpers: whole-file reads and crash-safe writes (a temporary file beside
// the target renamed over it, so a failed save never leaves a truncated file).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quarno {

// What a path names, following symbolic links.
enum class TPathKind { Missing, Regular, Directory, Other };
TPathKind PathKind(const std::string& path);

// The reason given when a path names a pipe, a device or a socket where a
// file is wanted.
inline constexpr const char* kNotRegularFile = "Not a regular file";

// A regular file (not a folder, pipe or device).
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Opens a regular file for reading without ever waiting on a pipe or a
// device; null otherwise, with the reason (the system's, kNotRegularFile).
std::FILE* OpenRegularFile(const std::string& path, std::string& reason);
// The whole file, else EFOpenError "Cannot open file "%s". <reason>" (also
// for anything but a regular file).
std::string ReadWholeFile(const std::string& path);
// Replaces the file's contents atomically, else EFCreateError.
void WriteFileSafely(const std::string& path, std::string_view bytes);
// Folder of a path with its trailing "/", or "" when it has none.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
// Path with its extension replaced ("" removes it); ext includes the dot.
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string ExtractFileExt(const std::string& path);

// Creates the folder and its missing parents; each folder made here gets
// mode (less the umask). EFCreateError "Cannot create folder "%s". <reason>"
// when one cannot be made or a file stands in the way.
void ForceDirectories(const std::string& path, unsigned mode = 0777);
// A folder only this user may enter: made with mode 0700 when missing, its
// mode narrowed to 0700 when it is the user's own and wider. False, with the
// reason in problem, when the path is a symbolic link, not a folder, belongs
// to another user or cannot be made.
bool EnsurePrivateFolder(const std::string& path, std::string& problem);

} // namespace quarno
