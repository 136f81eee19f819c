// File streams: reading an existing file, and safe writing through a
// temporary file renamed over its target.
#include "core/base/TFileStream.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarno {

static std::FILE* OpenForReading(const std::string& path) {
    std::string reason;
    std::FILE* file = OpenRegularFile(path, reason);
    if (!file) throw EFOpenError(Format("Cannot open file \"%s\". %s", path, reason));
    return file;
}

TFileStream::TFileStream(const std::string& path) : TFileStream(path, OpenForReading(path)) {}

TFileStream::~TFileStream() {
    if (m_file) std::fclose(m_file);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), m_file));
}

int64_t TFileStream::Write(const void*, int64_t) {
    return 0; // opened for reading only
}

static int64_t SeekFile(std::FILE* file, int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                 : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                    : SEEK_END;
    if (fseeko(file, static_cast<off_t>(offset), whence) != 0)
        return static_cast<int64_t>(ftello(file));
    return static_cast<int64_t>(ftello(file));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    return SeekFile(m_file, offset, origin);
}

// Writing goes through a symbolic link to the file it names, so saving never
// replaces the link itself.
static std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

TSafeFileStream::TSafeFileStream(const std::string& path) : m_target(ResolveTarget(path)) {
    // Renaming over a folder, a pipe or a device would destroy it.
    TPathKind kind = PathKind(m_target);
    if (kind == TPathKind::Directory)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", path, std::strerror(EISDIR)));
    if (kind == TPathKind::Other)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", path, kNotRegularFile));
    std::string folder = ExtractFilePath(m_target);
    std::string pattern = folder + "." + ExtractFileName(m_target) + ".XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw EFCreateError(Format("Cannot create file \"%s\". %s", path, std::strerror(errno)));
    m_temporary = pattern;
    struct stat info {};
    mode_t mode = 0644;
    if (::stat(m_target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
        // Owner and group are kept where we may (root saving a user's file);
        // where we may not, the file is ours, as any new file would be.
        [[maybe_unused]] int kept = ::fchown(fd, info.st_uid, info.st_gid);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    m_file = ::fdopen(fd, "w+b");
}

TSafeFileStream::~TSafeFileStream() {
    Discard();
}

void TSafeFileStream::Discard() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

int64_t TSafeFileStream::Read(void* buffer, int64_t count) {
    if (!m_file || count <= 0) return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), m_file));
}

// A write the file system refuses (a full disk, a file-size limit) ends the
// save with its reason; retrying could not help and "write error" alone
// would not tell the user why.
int64_t TSafeFileStream::Write(const void* buffer, int64_t count) {
    if (!m_file || count <= 0) return 0;
    errno = 0;
    size_t written = std::fwrite(buffer, 1, static_cast<size_t>(count), m_file);
    if (written < static_cast<size_t>(count))
        throw EFCreateError(Format("Cannot create file \"%s\". %s", m_target,
                                   std::strerror(errno != 0 ? errno : EIO)));
    return static_cast<int64_t>(written);
}

int64_t TSafeFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    return m_file ? SeekFile(m_file, offset, origin) : 0;
}

// The rename is only lasting once the folder is on disk too; a failure here
// leaves a complete file of either version, so it is not reported.
static void SyncFolder(const std::string& target) {
    std::string folder = ExtractFilePath(target);
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void TSafeFileStream::Commit() {
    if (!m_file) throw EFCreateError(Format("Cannot create file \"%s\". %s", m_target, "closed"));
    bool written = std::fflush(m_file) == 0 && ::fsync(fileno(m_file)) == 0;
    int error = errno;
    std::fclose(m_file);
    m_file = nullptr;
    if (written && ::rename(m_temporary.c_str(), m_target.c_str()) == 0) {
        m_temporary.clear();
        SyncFolder(m_target);
        return;
    }
    if (written) error = errno;
    Discard();
    throw EFCreateError(Format("Cannot create file \"%s\". %s", m_target, std::strerror(error)));
}

} // namespace quarno
