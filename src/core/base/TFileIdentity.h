// What tells one state of a file on disk from another: whether it is there,
// its size, the time of its last change and its inode (a file replaced by
// renaming another over it has a new inode even when size and time agree).
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

struct TFileIdentity {
    bool exists = false;
    uint64_t size = 0;
    int64_t modifiedNs = 0;
    uint64_t inode = 0;
    uint64_t device = 0;

    // The identity of the file a path names now (following symbolic links);
    // a path that names nothing, or nothing readable, is "not there".
    static TFileIdentity Of(const std::string& path);

    bool operator==(const TFileIdentity&) const = default;
};

} // namespace quarno
