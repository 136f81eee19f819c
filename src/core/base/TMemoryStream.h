// A growable in-memory stream.
#pragma once

#include "core/base/TStream.h"

#include <string>
#include <string_view>

namespace quarno {

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string_view initial) : m_data(initial) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(m_data.size()); }

    void SetSize(int64_t size);
    void Clear();
    const std::string& Bytes() const { return m_data; }
    const char* Memory() const { return m_data.data(); }
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

private:
    std::string m_data;
    int64_t m_position = 0;
};

} // namespace quarno
