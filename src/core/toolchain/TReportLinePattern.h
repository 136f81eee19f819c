// The pattern that finds a source location in a line of the compiler's
// report, so that the line can lead to the source: a regular expression with
// a group for the file and one for the line (and optionally the column).
#pragma once

#include "core/base/Exceptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>
// GCC 12 at -O1 with the sanitizers reports a false maybe-uninitialized
// inside std::regex's std::function members.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace quarno {

class TProfileFile;

// KBX.INI keeps the user's own pattern here; absent or empty: the default.
inline constexpr const char* kReportSection = "REPORT";
inline constexpr const char* kReportLinePatternKey = "LINE_PATTERN";

// "FILE(LINE)", "FILE(LINE,COL)", "FILE:LINE:", "FILE:LINE:COL:" (a file has
// an extension and may start with a drive letter), and "line N" anywhere,
// the form the compiler's own error lines take ("Line 3: ...").
extern const char* const kDefaultReportLinePattern;

// A bad pattern in KBX.INI.
class EReportPattern : public Exception {
public:
    using Exception::Exception;
};

struct TReportLocation {
    std::string File; // as written in the report; empty: the current document
    int Line = 0;     // 1-based
    int Column = 0;   // 1-based; 0 when the report gives none
    bool operator==(const TReportLocation&) const = default;
};

class TReportLinePattern {
public:
    // An ECMAScript regular expression, matched without regard to case,
    // whose named groups (?<file>...), (?<line>...) and (?<col>...) (also
    // spelt (?P<name>...)) may each stand in several alternatives; the first
    // that took part in a match counts. EReportPattern when the expression is
    // invalid or has no line group.
    explicit TReportLinePattern(const std::string& pattern = kDefaultReportLinePattern);

    // The location named by the first match in line; nothing when there is
    // none or its line number is 0 or out of range. Only the first 4096
    // characters of a line are looked at.
    std::optional<TReportLocation> Match(std::string_view line) const;

private:
    std::regex m_regex;
    std::vector<size_t> m_fileGroups;
    std::vector<size_t> m_lineGroups;
    std::vector<size_t> m_columnGroups;
};

// The pattern KBX.INI holds, read afresh.
TReportLinePattern ReadReportLinePattern(const TProfileFile& ini);

} // namespace quarno
