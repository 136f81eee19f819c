// A growable in-memory stream.
#include "core/base/TMemoryStream.h"

#include "core/base/FileUtils.h"

#include <algorithm>
#include <cstring>

namespace quarno {

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    int64_t available = Size() - m_position;
    int64_t n = std::clamp<int64_t>(count, 0, std::max<int64_t>(available, 0));
    if (n > 0) std::memcpy(buffer, m_data.data() + m_position, static_cast<size_t>(n));
    m_position += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    size_t end = static_cast<size_t>(m_position + count);
    if (end > m_data.size()) m_data.resize(end);
    std::memcpy(m_data.data() + m_position, buffer, static_cast<size_t>(count));
    m_position += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? m_position
                                                      : Size();
    m_position = std::max<int64_t>(0, base + offset);
    return m_position;
}

void TMemoryStream::SetSize(int64_t size) {
    m_data.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    m_position = std::min(m_position, Size());
}

void TMemoryStream::Clear() {
    m_data.clear();
    m_position = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    m_data = ReadWholeFile(path);
    m_position = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    WriteFileSafely(path, m_data);
}

} // namespace quarno
