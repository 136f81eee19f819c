// A read-only stream over a caller's buffer.
#include "core/base/TFastMemoryStream.h"

#include "core/base/Exceptions.h"

#include <algorithm>
#include <cstring>

namespace quarno {

TFastMemoryStream::TFastMemoryStream(const char* buffer)
    : m_data(buffer ? std::string_view(buffer) : std::string_view()) {}

int64_t TFastMemoryStream::Read(void* buffer, int64_t count) {
    int64_t n = std::clamp<int64_t>(count, 0, Size() - m_position);
    if (n > 0) std::memcpy(buffer, m_data.data() + m_position, static_cast<size_t>(n));
    m_position += n;
    return n;
}

int64_t TFastMemoryStream::Write(const void*, int64_t) {
    throw EStreamError("Cannot write to a read-only stream");
}

int64_t TFastMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? m_position
                                                      : Size();
    m_position = std::clamp<int64_t>(base + offset, 0, Size());
    return m_position;
}

} // namespace quarno
