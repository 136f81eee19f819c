// File helpers: whole-file reads and crash-safe writes.
#include "core/base/FileUtils.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TFileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarno {

TPathKind PathKind(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return TPathKind::Missing;
    if (S_ISREG(info.st_mode)) return TPathKind::Regular;
    return S_ISDIR(info.st_mode) ? TPathKind::Directory : TPathKind::Other;
}

bool FileExists(const std::string& path) {
    return PathKind(path) == TPathKind::Regular;
}

bool DirectoryExists(const std::string& path) {
    return PathKind(path) == TPathKind::Directory;
}

// Opening without blocking and checking the opened file (not the path, which
// may change in between) is what keeps a pipe without a writer from hanging
// the caller.
std::FILE* OpenRegularFile(const std::string& path, std::string& reason) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : kNotRegularFile;
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        reason = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

std::string ReadWholeFile(const std::string& path) {
    TFileStream stream(path);
    return stream.ReadRemaining();
}

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    TSafeFileStream stream(path);
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.Commit();
}

std::string ExtractFilePath(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

static size_t ExtensionStart(const std::string& path) {
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    size_t dot = ExtensionStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

std::string ExtractFileExt(const std::string& path) {
    size_t dot = ExtensionStart(path);
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

void ForceDirectories(const std::string& path, unsigned mode) {
    if (path.empty() || DirectoryExists(path)) return;
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    std::string parent = ExtractFilePath(trimmed);
    if (parent.size() > 1) ForceDirectories(parent, mode);
    if (::mkdir(trimmed.c_str(), static_cast<mode_t>(mode)) != 0 && !DirectoryExists(trimmed)) {
        int error = errno == EEXIST ? ENOTDIR : errno;
        throw EFCreateError(
            Format("Cannot create folder \"%s\". %s", trimmed, std::strerror(error)));
    }
}

bool EnsurePrivateFolder(const std::string& path, std::string& problem) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = Format("cannot create %s: %s", path, std::strerror(errno));
        return false;
    }
    // lstat: a link planted by someone else must not lead us elsewhere.
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        problem = Format("%s is not a folder", path);
        return false;
    }
    if (info.st_uid != ::geteuid()) {
        problem = Format("%s belongs to another user", path);
        return false;
    }
    if ((info.st_mode & 0077) != 0 && ::chmod(path.c_str(), 0700) != 0) {
        problem = Format("cannot make %s private: %s", path, std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace quarno
