// The compiler's result file (".KBR"): its status line, the summary fields
// (device, code size, RAM use) and the report in the order the report pane
// shows it; plus the report pane's visibility rules after a reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarno {

enum class TResultStatus { rsMissing, rsError, rsSummary, rsOther };

struct TCompileResult {
    TResultStatus Status = TResultStatus::rsMissing;
    // Set only for a summary; text as written, no conversion.
    std::string Device;
    std::string Code;
    std::string Ram;
    // Line 2 first, then lines 3 onward; one empty line instead of lines 3
    // onward when the file has fewer than three. Empty when the file is
    // missing.
    std::vector<std::string> ReportLines;
};

// Reads a status line: "ERROR" and "ASSEMBLER ERRORS" (exact) are errors; a
// line starting with "1" or "R" is a summary of three comma-ended fields.
TCompileResult ParseCompileResult(const std::vector<std::string>& lines);
// Reads the file at path; a file that does not exist gives rsMissing.
TCompileResult ReadCompileResultFile(const std::string& path);
// What a compile that left no result shows: an error whose report is the
// one line saying why, so the pane opens on it.
TCompileResult FailedCompileResult(const std::string& message);

// The three summary fields: each runs from its first character (even a comma)
// up to the next comma, which is skipped; a last field without a comma runs
// to the end of the line; fields past the end are empty.
void ReadSummaryFields(std::string_view line, std::string& device, std::string& code,
                       std::string& ram);

// Status panels 2, 3 and 4: "DEVICE x", "CODE y", "RAM z" for a summary,
// empty otherwise.
std::vector<std::string> SummaryPanelTexts(const TCompileResult& result);

// The report pane and its View menu item around a reading of the result.
struct TReportPaneState {
    bool PaneVisible = false; // the pane and its splitter
    bool ViewChecked = false; // View > REPORT Window
    bool ReportShown = false; // the last result was an error
};
// An error forces the pane open and checks the item; a summary makes the pane
// follow the check mark; anything else leaves both as they were.
TReportPaneState ReportPaneAfter(const TCompileResult& result, TReportPaneState state);

} // namespace quarno
