// A reading stream that reports its progress.
#include "core/base/TProgressStream.h"

namespace quarno {

TProgressStream::TProgressStream(TStream& source, TReadProgress progress)
    : m_source(source), m_progress(std::move(progress)), m_total(source.Size()) {}

int64_t TProgressStream::Read(void* buffer, int64_t count) {
    int64_t got = m_source.Read(buffer, count);
    if (got > 0) m_done += got;
    bool report = m_done - m_reported >= kReportEvery || (got <= 0 && m_reported < m_done);
    if (report && m_progress) {
        m_reported = m_done;
        if (!m_progress(m_done, m_total)) throw ELoadCancelled();
    }
    return got;
}

int64_t TProgressStream::Write(const void* buffer, int64_t count) {
    return m_source.Write(buffer, count);
}

int64_t TProgressStream::Seek(int64_t offset, TSeekOrigin origin) {
    return m_source.Seek(offset, origin);
}

} // namespace quarno
