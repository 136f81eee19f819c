// The identity of a file on disk.
#include "core/base/TFileIdentity.h"

#include <sys/stat.h>

namespace quarno {

TFileIdentity TFileIdentity::Of(const std::string& path) {
    TFileIdentity identity;
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0) return identity;
    identity.exists = true;
    identity.size = static_cast<uint64_t>(status.st_size);
    identity.modifiedNs =
        static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    identity.inode = static_cast<uint64_t>(status.st_ino);
    identity.device = static_cast<uint64_t>(status.st_dev);
    return identity;
}

} // namespace quarno
