// File helpers: whole-file reads and crash-safe writes (a temporary file beside
// the target renamed over it, so a failed save never leaves a truncated file).
#pragma once

#include <string>
#include <string_view>

namespace quarno {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// The whole file, else EFOpenError "Cannot open file "%s". <reason>".
std::string ReadWholeFile(const std::string& path);
// Replaces the file's contents atomically, else EFCreateError.
void WriteFileSafely(const std::string& path, std::string_view bytes);
// Folder of a path with its trailing "/", or "" when it has none.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
// Path with its extension replaced ("" removes it); ext includes the dot.
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string ExtractFileExt(const std::string& path);

} // namespace quarno
