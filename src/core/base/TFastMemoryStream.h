// A read-only stream over a caller's NUL-terminated buffer, without a copy.
#pragma once

#include "core/base/TStream.h"

#include <string_view>

namespace quarno {

class TFastMemoryStream : public TStream {
public:
    // The buffer must outlive the stream.
    explicit TFastMemoryStream(const char* buffer);
    explicit TFastMemoryStream(std::string_view buffer) : m_data(buffer) {}

    int64_t Read(void* buffer, int64_t count) override;
    // Raises EStreamError "Cannot write to a read-only stream".
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(m_data.size()); }

private:
    std::string_view m_data;
    int64_t m_position = 0;
};

} // namespace quarno
