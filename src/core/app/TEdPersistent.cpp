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

int TEdPersistent::FindHeader(const std::string& header) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (SameText(m_lines[i], header)) return static_cast<int>(i);
    return -1;
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

void TEdPersistent::WriteSection(const std::string& header, const std::vector<std::string>& items,
                                 int limit) {
    int found = FindHeader(header);
    if (found >= 0) {
        RemoveSection(found);
        if (found > 0 && !m_lines.empty() && !m_lines.back().empty()) m_lines.emplace_back();
    }
    m_lines.push_back(header);
    int counted = 0;
    for (const std::string& item : items) {
        if (counted++ >= limit) break;
        if (!item.empty()) m_lines.push_back(item);
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
