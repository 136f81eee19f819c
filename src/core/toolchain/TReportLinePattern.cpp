// Source locations in report lines.
#include "core/toolchain/TReportLinePattern.h"

#include "core/base/TProfileFile.h"

#include <utility>

namespace quarno {

const char* const kDefaultReportLinePattern =
    R"re((?<file>(?:[a-z]:)?[^\s:()"'<>|*?]+\.\w+) ?\((?<line>\d+)(?:, ?(?<col>\d+))?\))re"
    R"re(|(?<file>(?:[a-z]:)?[^\s:()"'<>|*?]+\.\w+):(?<line>\d+)(?::(?<col>\d+))?:)re"
    R"re(|\bline\s+(?<line>\d+))re";

namespace {

constexpr size_t kLongestLineLooked = 4096;

struct TGroups {
    std::vector<size_t> file, line, column;
};

// The name of a named group opening at text[at] ("(?<" or "(?P<"), with
// length set to the length of the opening up to and including ">"; "" when
// the parenthesis opens no named group.
std::string GroupName(const std::string& text, size_t at, size_t& length) {
    if (text.compare(at, 3, "(?<") != 0 && text.compare(at, 4, "(?P<") != 0) return std::string();
    size_t start = text[at + 2] == 'P' ? at + 4 : at + 3;
    if (start >= text.size() || text[start] == '=' || text[start] == '!') return std::string();
    size_t close = text.find('>', start);
    if (close == std::string::npos) return std::string();
    length = close + 1 - at;
    return text.substr(start, close - start);
}

// The expression with its named groups made plain capturing groups, and
// the numbers of the groups of each name.
std::string PlainGroups(const std::string& pattern, TGroups& groups) {
    std::string plain;
    size_t number = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '\\' && i + 1 < pattern.size()) {
            plain += pattern.substr(i++, 2);
            continue;
        }
        if (c == '[') { // a set: copied as it stands, parentheses and all
            size_t end = i + 1;
            if (end < pattern.size() && pattern[end] == '^') ++end;
            if (end < pattern.size() && pattern[end] == ']') ++end;
            while (end < pattern.size() && pattern[end] != ']')
                end += pattern[end] == '\\' ? 2 : 1;
            plain += pattern.substr(i, end + 1 - i);
            i = end;
            continue;
        }
        if (c != '(') {
            plain += c;
            continue;
        }
        size_t length = 0;
        std::string name = GroupName(pattern, i, length);
        if (!name.empty()) {
            ++number;
            if (name == "file") groups.file.push_back(number);
            if (name == "line") groups.line.push_back(number);
            if (name == "col" || name == "column") groups.column.push_back(number);
            plain += '(';
            i += length - 1;
            continue;
        }
        if (i + 1 >= pattern.size() || pattern[i + 1] != '?') ++number;
        plain += c;
    }
    return plain;
}

const std::ssub_match* FirstTaking(const std::smatch& match, const std::vector<size_t>& groups) {
    for (size_t group : groups)
        if (group < match.size() && match[group].matched) return &match[group];
    return nullptr;
}

// A decimal number of up to nine digits; 0 when it is none.
int Number(const std::ssub_match* group) {
    if (!group || group->length() == 0 || group->length() > 9) return 0;
    int value = 0;
    for (char c : group->str()) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

TReportLinePattern::TReportLinePattern(const std::string& pattern) {
    TGroups groups;
    std::string plain = PlainGroups(pattern, groups);
    if (groups.line.empty())
        throw EReportPattern("The report line pattern has no (?<line>...) group: " + pattern);
    try {
        m_regex = std::regex(plain, std::regex::ECMAScript | std::regex::icase);
    } catch (const std::regex_error& error) {
        throw EReportPattern("The report line pattern is not valid (" + std::string(error.what()) +
                             "): " + pattern);
    }
    m_fileGroups = std::move(groups.file);
    m_lineGroups = std::move(groups.line);
    m_columnGroups = std::move(groups.column);
}

std::optional<TReportLocation> TReportLinePattern::Match(std::string_view line) const {
    std::string text(line.substr(0, kLongestLineLooked));
    std::smatch match;
    if (!std::regex_search(text, match, m_regex)) return std::nullopt;
    TReportLocation location;
    location.Line = Number(FirstTaking(match, m_lineGroups));
    if (location.Line <= 0) return std::nullopt;
    location.Column = Number(FirstTaking(match, m_columnGroups));
    if (const std::ssub_match* file = FirstTaking(match, m_fileGroups)) location.File = file->str();
    return location;
}

TReportLinePattern ReadReportLinePattern(const TProfileFile& ini) {
    std::string pattern = ini.ReadString(kReportSection, kReportLinePatternKey, "");
    return TReportLinePattern(pattern.empty() ? kDefaultReportLinePattern : pattern);
}

} // namespace quarno
