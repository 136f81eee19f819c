// A file in a private scratch folder of the fuzzing process (in memory under
// /dev/shm when it is there), rewritten for each input by the harnesses that
// read files from disk.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quarno::fuzz {

// The scratch folder with its trailing "/", made once per process.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/quarno-fuzz-XXXXXX"
                                                            : "/tmp/quarno-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return folder;
}

inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    std::string path = ScratchFolder() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        std::abort();
    std::fclose(file);
    return path;
}

} // namespace quarno::fuzz
