// A profile (INI) file read and written through, with Windows profile semantics.
#include "core/base/TProfileFile.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quarno {

namespace {

using Lines = std::vector<std::string>;

// The name of a "[section]" line. A line that ends in "]" names everything
// between its brackets, so a name holding "]" reads back as written; text
// after the closing bracket ends the name at the first "]".
std::optional<std::string> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    size_t close = line.back() == ']' ? line.size() - 1 : line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(Trim(line.substr(1, close - 1)));
}

// Splits "key=value"; false for lines that hold no key (comments, blanks).
bool SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return false;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return true;
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct Loaded {
    Lines lines;
    bool utf8Mark = false; // the file starts with a UTF-8 byte-order mark (kept on writing)
};

// A missing file has no lines; a folder, pipe or device is refused by the read.
Loaded LoadLines(const std::string& path) {
    if (PathKind(path) == TPathKind::Missing) return {};
    std::string bytes = ReadWholeFile(path);
    bool mark = std::string_view(bytes).substr(0, kUtf8Mark.size()) == kUtf8Mark;
    return {SplitLines(std::string_view(bytes).substr(mark ? kUtf8Mark.size() : 0)), mark};
}

// A line break in a name or value would write a line of its own: a value
// could add keys or sections.
void CheckOneLine(std::string_view text, const char* what) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        throw Exception(Format("A profile %s cannot hold a line break", what));
}

// Index of the section's header line, or -1.
int FindSection(const Lines& lines, const std::string& section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i]);
        if (name && SameText(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

bool IsSectionLine(const std::string& line) {
    return SectionName(line).has_value();
}

void SaveLines(const std::string& path, const Loaded& file) {
    const Lines& lines = file.lines;
    std::string bytes(file.utf8Mark ? kUtf8Mark : std::string_view());
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileSafely(path, bytes);
}

} // namespace

bool TProfileFile::Exists() const {
    return FileExists(m_path);
}

// The value of the key in the section, quotes kept, or nothing.
static std::optional<std::string> FindValue(const Lines& lines, const std::string& section,
                                            const std::string& key) {
    int header = FindSection(lines, section);
    if (header < 0) return std::nullopt;
    for (size_t i = static_cast<size_t>(header) + 1; i < lines.size(); ++i) {
        if (IsSectionLine(lines[i])) break;
        std::string_view name, value;
        if (SplitKeyLine(lines[i], name, value) && SameText(name, key)) return std::string(value);
    }
    return std::nullopt;
}

std::string TProfileFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const {
    std::optional<std::string> value = FindValue(LoadLines(m_path).lines, section, key);
    return value ? Unquote(*value) : defaultValue;
}

bool TProfileFile::HasKey(const std::string& section, const std::string& key) const {
    return FindValue(LoadLines(m_path).lines, section, key).has_value();
}

// Only what ReadString can reach: the first section of a name and the first
// key of a name in it.
std::vector<TProfileEntry> TProfileFile::Entries() const {
    Lines lines = LoadLines(m_path).lines;
    std::vector<TProfileEntry> entries;
    std::vector<std::string> sections;
    std::optional<std::string> section;
    for (const std::string& line : lines) {
        if (auto name = SectionName(line)) {
            bool repeated =
                std::any_of(sections.begin(), sections.end(),
                            [&](const std::string& seen) { return SameText(seen, *name); });
            section = repeated ? std::nullopt : name;
            sections.push_back(*name);
            continue;
        }
        std::string_view key, value;
        if (!section || !SplitKeyLine(line, key, value)) continue;
        bool seen = std::any_of(entries.begin(), entries.end(), [&](const TProfileEntry& entry) {
            return entry.section == *section && SameText(entry.key, key);
        });
        if (!seen) entries.push_back({*section, std::string(key), std::string(value)});
    }
    return entries;
}

int TProfileFile::ReadInteger(const std::string& section, const std::string& key,
                              int defaultValue) const {
    int value = 0;
    return TryParseInt(ReadString(section, key, std::string()), value) ? value : defaultValue;
}

void TProfileFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
    CheckOneLine(section, "section name");
    CheckOneLine(key, "key name");
    CheckOneLine(value, "value");
    if (key.find('=') != std::string::npos) throw Exception("A profile key name cannot hold \"=\"");
    // Such a line would read back as a section header or a comment.
    std::string_view name = Trim(key);
    if (!name.empty() && (name.front() == '[' || name.front() == ';'))
        throw Exception(Format("A profile key name cannot start with \"%c\"", name.front()));
    Loaded file = LoadLines(m_path);
    Lines& lines = file.lines;
    std::string entry = key + "=" + value;
    int header = FindSection(lines, section);
    if (header < 0) {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
        SaveLines(m_path, file);
        return;
    }
    size_t insertAt = static_cast<size_t>(header) + 1;
    for (size_t i = insertAt; i < lines.size() && !IsSectionLine(lines[i]); ++i) {
        std::string_view name, old;
        if (SplitKeyLine(lines[i], name, old) && SameText(name, key)) {
            lines[i] = std::string(name) + "=" + value;
            SaveLines(m_path, file);
            return;
        }
        if (!Trim(lines[i]).empty()) insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    SaveLines(m_path, file);
}

void TProfileFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

} // namespace quarno
