// From a report line to the source: finding the next or previous line that
// names a location, the file it means, and putting the caret there.
#pragma once

#include "core/toolchain/TReportLinePattern.h"

#include <optional>
#include <string>
#include <vector>

namespace quarno {

class TCustomLexipad;
class TDocumentTabs;

// The index of the next line after from (forward) or before it (backward)
// that names a location, going round the end; from -1 starts before the
// first line (forward) or after the last (backward). Nothing when no line
// names one.
std::optional<size_t> FindReportLine(const std::vector<std::string>& lines,
                                     const TReportLinePattern& pattern, int from, bool forward);

// The file a report names, for the current document's path: the document
// itself when the name is empty; else the name as an absolute path, then
// beside the document, then its last part (after "/" or "\") beside the
// document, each found in any case. When none exists, the name beside the
// document (or as it stands, when absolute).
std::string ResolveReportFile(const std::string& named, const std::string& documentPath);

// Puts the caret on the location in its file, bringing forward the tab of an
// open file or opening the file in a new one. The line is clamped to the
// text, the column to the line. False when there is no document to go to or
// the file could not be opened (the documents have said why).
bool GoToReportLocation(TDocumentTabs& documents, TCustomLexipad& editor,
                        const TReportLocation& location);

} // namespace quarno
