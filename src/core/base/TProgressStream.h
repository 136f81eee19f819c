// A reading stream that reports how far reading got, in steps, and stops
// the reading (ELoadCancelled) when the report asks it to.
#pragma once

#include "core/base/TStream.h"

#include <functional>
#include <stdexcept>

namespace quarno {

// Reading was stopped by the user: not an error to show.
class ELoadCancelled : public std::runtime_error {
public:
    ELoadCancelled() : std::runtime_error("Loading cancelled") {}
};

// Answers false to stop; done of total bytes.
using TReadProgress = std::function<bool(int64_t done, int64_t total)>;

class TProgressStream : public TStream {
public:
    static constexpr int64_t kReportEvery = 1 << 20;

    // Borrows source, which must outlive this stream.
    TProgressStream(TStream& source, TReadProgress progress);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return m_total; }

private:
    TStream& m_source;
    TReadProgress m_progress;
    int64_t m_total;
    int64_t m_done = 0;
    int64_t m_reported = 0;
};

} // namespace quarno
