// The main window: report lines that lead to the source. The pattern is read
// from KBX.INI at each use, so a changed pattern counts at once.
#include "qt/app/TEditorMainForm.h"

#include "core/app/TDocumentTabs.h"
#include "core/toolchain/ReportNavigation.h"
#include "qt/app/TReportMemo.h"
#include "qt/editor/TLexipad.h"

namespace quarno {

namespace {

constexpr const char* kNoReportLine = "No report line names a source line";

// Sets a flag for its lifetime.
class TFollowing {
public:
    explicit TFollowing(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TFollowing() { m_flag = false; }
    TFollowing(const TFollowing&) = delete;
    TFollowing& operator=(const TFollowing&) = delete;

private:
    bool& m_flag;
};

} // namespace

void TEditorMainForm::GoToReportLine(int line) {
    std::vector<std::string> lines = m_reportMemo->Lines();
    if (line < 0 || line >= static_cast<int>(lines.size())) return;
    std::optional<TReportLocation> location =
        ReadReportLinePattern(m_globals.Config()).Match(lines[static_cast<size_t>(line)]);
    if (!location) return;
    bool shown = false;
    {
        // The report being followed stays, though another document comes forward.
        TFollowing following(m_followingReport);
        shown = GoToReportLocation(*m_documents, *m_lexipad1, *location);
    }
    m_reportMemo->MarkLine(line);
    if (shown) FocusEditor();
}

void TEditorMainForm::NextErrorClick() {
    StepReportLine(true);
}

void TEditorMainForm::PreviousErrorClick() {
    StepReportLine(false);
}

// Only a report that is shown is followed.
void TEditorMainForm::StepReportLine(bool forward) {
    if (m_reportMemo->isHidden()) return;
    TReportLinePattern pattern = ReadReportLinePattern(m_globals.Config());
    std::optional<size_t> found =
        FindReportLine(m_reportMemo->Lines(), pattern, m_reportMemo->MarkedLine(), forward);
    if (!found) {
        m_documents->ShowTransientMessage(kNoReportLine);
        return;
    }
    GoToReportLine(static_cast<int>(*found));
}

} // namespace quarno
