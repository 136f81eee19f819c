// Where parsers keep the user's settings between runs: named string and byte
// values under a key (the registry on Windows; the application supplies a
// per-user store here).
#pragma once

#include <optional>
#include <string>

namespace quarno {

class TRegistryStore {
public:
    virtual ~TRegistryStore() = default;
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    virtual void WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual std::optional<std::string> ReadBinary(const std::string& key,
                                                  const std::string& name) = 0;
    virtual void WriteBinary(const std::string& key, const std::string& name,
                             const std::string& bytes) = 0;
};

} // namespace quarno
