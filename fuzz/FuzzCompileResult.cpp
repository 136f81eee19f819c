// Fuzz harness: the compiler result reader over arbitrary file contents. It
// never fails; a crash or a report pane without its first two lines is a
// finding.
#include "core/base/StringUtils.h"
#include "core/toolchain/TCompileResult.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = quarno::SplitLines(bytes);
    quarno::TCompileResult result = quarno::ParseCompileResult(lines);
    if (result.ReportLines.size() < 2) std::abort();
    if (result.Status == quarno::TResultStatus::rsSummary && result.Device.empty()) std::abort();
    size_t fieldBytes = result.Device.size() + result.Code.size() + result.Ram.size();
    if (!lines.empty() && fieldBytes > lines[0].size()) std::abort();
    quarno::SummaryPanelTexts(result);
    quarno::ReportPaneAfter(result, {});
    return 0;
}
