// Report lines that lead to the source.
#include "core/toolchain/ReportNavigation.h"

#include "core/app/TDocumentTabs.h"
#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"
#include "core/editor/TCustomLexipad.h"

#include <algorithm>

namespace quarno {

std::optional<size_t> FindReportLine(const std::vector<std::string>& lines,
                                     const TReportLinePattern& pattern, int from, bool forward) {
    const int count = static_cast<int>(lines.size());
    if (count == 0) return std::nullopt;
    int index = from < 0 || from >= count ? (forward ? -1 : count) : from;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index - 1 + count) % count;
        if (pattern.Match(lines[static_cast<size_t>(index)])) return static_cast<size_t>(index);
    }
    return std::nullopt;
}

std::string ResolveReportFile(const std::string& named, const std::string& documentPath) {
    if (named.empty()) return documentPath;
    std::string folder = ExtractFilePath(documentPath);
    std::vector<std::string> candidates;
    if (named[0] == '/')
        candidates.push_back(named);
    else
        candidates.push_back(folder + named);
    size_t last = named.find_last_of("/\\");
    if (last != std::string::npos) candidates.push_back(folder + named.substr(last + 1));
    for (const std::string& candidate : candidates)
        if (std::string found = FindFileIgnoringCase(candidate); FileExists(found)) return found;
    return candidates.front();
}

static void PutCaret(TCustomLexipad& editor, const TReportLocation& location) {
    int line = std::clamp(location.Line, 1, std::max(1, editor.LineCount())) - 1;
    int start = std::max(0, editor.LineIndex(line));
    int column = std::clamp(location.Column - 1, 0, std::max(0, editor.LineLength(start)));
    editor.SetSelection(start + column, start + column);
    editor.ScrollCaret();
}

bool GoToReportLocation(TDocumentTabs& documents, TCustomLexipad& editor,
                        const TReportLocation& location) {
    TFileObject* current = documents.Current();
    if (!current && location.File.empty()) return false;
    std::string file = ResolveReportFile(location.File, current ? current->FileName() : "");
    bool shown = (current && file == current->FileName()) || documents.SelectOpenDocument(file) ||
                 documents.OpenDocument(file);
    if (!shown) return false;
    PutCaret(editor, location);
    return true;
}

} // namespace quarno
