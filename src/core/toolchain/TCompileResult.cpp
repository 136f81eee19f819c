// The compiler's result file.
#include "core/toolchain/TCompileResult.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

namespace quarno {

static std::string ReadField(std::string_view line, size_t& position) {
    if (position >= line.size()) return std::string();
    // The field's first character is taken whatever it is, so an empty field
    // swallows its comma and runs on to the next one.
    size_t comma = line.find(',', position + 1);
    if (comma == std::string_view::npos) comma = line.size();
    std::string field(line.substr(position, comma - position));
    position = comma + 1;
    return field;
}

void ReadSummaryFields(std::string_view line, std::string& device, std::string& code,
                       std::string& ram) {
    size_t position = 0;
    device = ReadField(line, position);
    code = ReadField(line, position);
    ram = ReadField(line, position);
}

static std::vector<std::string> PaneLines(const std::vector<std::string>& lines) {
    std::vector<std::string> pane;
    pane.push_back(lines.size() > 1 ? lines[1] : std::string());
    if (lines.size() < 3)
        pane.emplace_back();
    else
        pane.insert(pane.end(), lines.begin() + 2, lines.end());
    return pane;
}

TCompileResult ParseCompileResult(const std::vector<std::string>& lines) {
    TCompileResult result;
    const std::string status = lines.empty() ? std::string() : lines[0];
    if (status == "ERROR" || status == "ASSEMBLER ERRORS") {
        result.Status = TResultStatus::rsError;
    } else if (!status.empty() && (status[0] == '1' || status[0] == 'R')) {
        result.Status = TResultStatus::rsSummary;
        ReadSummaryFields(status, result.Device, result.Code, result.Ram);
    } else {
        result.Status = TResultStatus::rsOther;
    }
    result.ReportLines = PaneLines(lines);
    return result;
}

TCompileResult ReadCompileResultFile(const std::string& path) {
    if (PathKind(path) == TPathKind::Missing) return TCompileResult(); // else only a file is read
    return ParseCompileResult(SplitLines(ReadWholeFile(path)));
}

std::vector<std::string> SummaryPanelTexts(const TCompileResult& result) {
    if (result.Status != TResultStatus::rsSummary) return {"", "", ""};
    return {"DEVICE " + result.Device, "CODE " + result.Code, "RAM " + result.Ram};
}

TReportPaneState ReportPaneAfter(const TCompileResult& result, TReportPaneState state) {
    state.ReportShown = false;
    if (result.Status == TResultStatus::rsError) {
        state.PaneVisible = true;
        state.ViewChecked = true;
        state.ReportShown = true;
    } else if (result.Status == TResultStatus::rsSummary) {
        state.PaneVisible = state.ViewChecked;
    }
    return state;
}

TCompileResult FailedCompileResult(const std::string& message) {
    TCompileResult result;
    result.Status = TResultStatus::rsError;
    result.ReportLines = {message};
    return result;
}

} // namespace quarno
