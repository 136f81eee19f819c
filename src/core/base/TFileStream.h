// File streams: a read stream over an existing file and a safe write stream
// that only replaces its target when committed.
#pragma once

#include "core/base/TStream.h"

#include <cstdio>
#include <string>

namespace quarno {

class TFileStream : public TStream {
public:
    // Opens an existing regular file for reading (shared); EFOpenError when it
    // cannot, and for a folder, pipe or device (never waiting on one).
    explicit TFileStream(const std::string& path);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const std::string& FileName() const { return m_path; }

protected:
    TFileStream(const std::string& path, std::FILE* file) : m_path(path), m_file(file) {}
    std::string m_path;
    std::FILE* m_file;
};

// Writes to a temporary file in the target's folder; Commit() renames it over
// the target. Destroyed without Commit(), it removes the temporary file and the
// target stays as it was.
class TSafeFileStream : public TStream {
public:
    // EFCreateError "Cannot create file "%s". <reason>" when the temporary
    // file cannot be made, or when the target is a folder, pipe or device
    // (which must not be replaced).
    explicit TSafeFileStream(const std::string& path);
    ~TSafeFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    // EFCreateError with the system's reason when the file system refuses the
    // bytes (a full disk); the target is kept.
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Flushes and renames; EFCreateError when that fails (the target is kept).
    void Commit();
    const std::string& FileName() const { return m_target; }

private:
    void Discard();
    std::string m_target;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
};

} // namespace quarno
