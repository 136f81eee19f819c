// The settings store on the history file.
#include "core/app/TEdPersistent.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

namespace quarno {

TEdPersistent::TEdPersistent(const std::string& folder, const std::string& fileName,
                             TMissingFile missing)
    : m_path(folder + fileName) {
    TPathKind kind = PathKind(m_path);
    if (kind == TPathKind::Regular)
        m_lines = SplitLines(ReadWholeFile(m_path));
    else if (missing == mfCreate)
        WriteFileSafely(m_path, ""); // refuses (and keeps) a folder, pipe or device
    else if (kind != TPathKind::Missing)
        ReadWholeFile(m_path); // the same refusal, as a read
}

// A section starts the file or follows an empty line, so an item that reads
// like a header (a search for "[MRU]") is not taken for one; a file edited by
// hand without the empty lines still finds its first matching line.
int TEdPersistent::FindHeader(const std::string& header, bool startsSection) const {
    int anywhere = -1;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!SameText(m_lines[i], header)) continue;
        if (i == 0 || m_lines[i - 1].empty()) return static_cast<int>(i);
        if (anywhere < 0) anywhere = static_cast<int>(i);
    }
    return startsSection ? -1 : anywhere;
}

const std::vector<std::string>& TEdPersistent::ReadSection(const std::string& header) {
    m_section.clear();
    int found = FindHeader(header);
    if (found < 0) return m_section;
    for (size_t i = static_cast<size_t>(found) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].empty() || static_cast<int>(m_section.size()) >= kSectionLimit) break;
        m_section.push_back(m_lines[i]);
    }
    return m_section;
}

// Deletes the header and its items, then the empty lines left at its place.
void TEdPersistent::RemoveSection(int header) {
    auto at = m_lines.begin() + header;
    auto end = at + 1;
    while (end != m_lines.end() && !end->empty())
        ++end;
    while (end != m_lines.end() && end->empty())
        ++end;
    m_lines.erase(at, end);
}

// An item holding a line break would come back as several (a file name with
// a newline), and an item spelled like a header (a search for "[MRU]") would
// be taken for that section later: both are left out rather than stored.
bool TEdPersistent::Storable(const std::string& item) {
    if (item.empty() || item.find_first_of("\r\n") != std::string::npos) return false;
    for (const char* header : {kRecentFilesHeader, kFindHeader, kReplaceHeader})
        if (SameText(item, header)) return false;
    return true;
}

void TEdPersistent::WriteSection(const std::string& header, const std::vector<std::string>& items,
                                 int limit) {
    int found = FindHeader(header);
    if (found >= 0) {
        RemoveSection(found);
        // A copy further down (a file edited by hand) would be read in place
        // of the section written now.
        for (int copy; (copy = FindHeader(header, true)) >= 0;)
            RemoveSection(copy);
    }
    // Right after a last line that is not empty, the section would read as
    // part of the one above it (a section ends only at an empty line).
    if (!m_lines.empty() && !m_lines.back().empty()) m_lines.emplace_back();
    m_lines.push_back(header);
    int counted = 0;
    for (const std::string& item : items) {
        if (counted++ >= limit) break;
        if (Storable(item)) m_lines.push_back(item);
    }
    m_lines.emplace_back();
    Save();
}

void TEdPersistent::Save() {
    size_t leading = 0;
    while (leading < m_lines.size() && m_lines[leading].empty())
        ++leading;
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(leading));
    std::string bytes;
    for (const std::string& line : m_lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileSafely(m_path, bytes);
}

} // namespace quarno
