// The file scanner.
#include "core/viewers/TFileScan.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/viewers/ViewerExceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace quarno {
namespace {

// Upper case of a Windows-1252 byte, as the system's ANSI upper case maps it.
unsigned char UpperAnsi(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

std::string UpperAnsiText(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(UpperAnsi(static_cast<unsigned char>(c)));
    return result;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A calendar date as a day number, else the platform's conversion error.
double EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<double>(DaysFromCivil(year, month, day));
}

std::tm LocalTime(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    ::localtime_r(&t, &local);
    return local;
}

// A moment in local time as a day number with the time of day as fraction.
double LocalDays(int64_t seconds) {
    std::tm t = LocalTime(seconds);
    return static_cast<double>(DaysFromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday)) +
           (t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec) / 86400.0;
}

template <typename T> bool Compare(T value, T limit, TFileCompareType comp) {
    switch (comp) {
    case fctNone: return true;
    case fctEqual: return value == limit;
    case fctGreaterThan: return value > limit;
    case fctLessThan: return value < limit;
    case fctGreaterThanOrEqual: return value >= limit;
    case fctLessThanOrEqual: return value <= limit;
    }
    return true;
}

std::string WithThousands(int64_t value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return value < 0 ? "-" + text : text;
}

// The entries of a folder (files and sub-folders only, "." and ".." left
// out) in byte order of their names. Other kinds (devices, pipes, sockets,
// dangling links) are never offered: reading one could block or fail.
std::vector<TSearchRec> ListFolder(const std::string& folder) {
    std::vector<TSearchRec> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    while (const dirent* item = ::readdir(dir)) {
        std::string name = item->d_name;
        struct stat info {};
        if (name == "." || name == ".." || ::stat((folder + name).c_str(), &info) != 0) continue;
        if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) continue;
        TSearchRec entry{name, static_cast<int64_t>(info.st_size),
                         static_cast<int64_t>(info.st_mtime), 0};
        entry.Attr |= S_ISDIR(info.st_mode) ? faDirectory : faArchive;
        if (!(info.st_mode & S_IWUSR)) entry.Attr |= faReadOnly;
        if (name[0] == '.') entry.Attr |= faHidden;
        entries.push_back(entry);
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
    return entries;
}

std::vector<std::string> SplitSpecs(const std::string& specs) {
    std::vector<std::string> patterns;
    size_t start = 0;
    while (start <= specs.size()) {
        size_t end = specs.find(';', start);
        if (end == std::string::npos) end = specs.size();
        std::string_view pattern = Trim(std::string_view(specs).substr(start, end - start));
        if (!pattern.empty()) patterns.emplace_back(pattern);
        start = end + 1;
    }
    return patterns;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || UpperAnsi(static_cast<unsigned char>(pattern[p])) ==
                                      UpperAnsi(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// Restores a flag when a scan ends in any way.
class TFlagGuard {
public:
    TFlagGuard(bool& flag, bool value) : m_flag(flag), m_saved(flag) { m_flag = value; }
    ~TFlagGuard() { m_flag = m_saved; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

} // namespace

bool TFileScan::MatchesPattern(std::string_view pattern, std::string_view name) {
    if (WildcardMatch(pattern, name)) return true;
    // As on Windows, a final ".*" also matches a name without an extension.
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           name.find('.') == std::string_view::npos &&
           WildcardMatch(pattern.substr(0, pattern.size() - 2), name);
}

void TFileScan::SetDirectory(const std::string& directory) {
    m_directory = directory;
    if (m_directory.empty() || m_directory.back() != '/') m_directory += '/';
}

void TFileScan::SetStartYear(int year) {
    if (year == m_startYear) return;
    if (year != 0 && year <= 1900)
        throw EInvalidStartEndDate("Invalid Start Year: Year Must be > 1900 - Or Equal 0");
    m_startYear = year;
}

void TFileScan::SetEndYear(int year) {
    if (year == m_endYear) return;
    if (year != 0 && year <= 1900)
        throw EInvalidStartEndDate("Invalid End Year: Year Must be > 1900 or Equal 0");
    m_endYear = year;
}

void TFileScan::SetStartMonth(int month) {
    if (month == m_startMonth) return;
    if (month != 0 && (month < 1 || month > 12))
        throw EInvalidStartEndDate(
            "Invalid Start Month: Month Must be 0 < Month > 13 - Or Equal to 0");
    m_startMonth = month;
}

void TFileScan::SetEndMonth(int month) {
    if (month == m_endMonth) return;
    if (month != 0 && (month < 1 || month > 12))
        throw EInvalidStartEndDate(
            "Invalid End Month: Month Must be 0 < Month > 13 - Or Equal to 0");
    m_endMonth = month;
}

void TFileScan::SetStartDay(int day) {
    if (day == m_startDay) return;
    if (day != 0 && (day < 1 || day > DaysInMonth(m_startYear, m_startMonth)))
        throw EInvalidStartEndDate("Invalid Start Day: Day Must be 0 > Day < (Max for Month)");
    m_startDay = day;
}

void TFileScan::SetEndDay(int day) {
    if (day == m_endDay) return;
    if (day != 0 && (day < 1 || day > DaysInMonth(m_endYear, m_endMonth)))
        throw EInvalidStartEndDate("Invalid End Day: Day Must be 0 > Day < (Max for Month)");
    m_endDay = day;
}

void TFileScan::SetStartScan(bool value) {
    if (!value) return;
    if (!m_appendItems) m_foundItems.clear();
    if (m_events.OnStartSearch) m_events.OnStartSearch();
    if (m_searchAllDrives) {
        // Linux has one tree: "all drives" is its root.
        TFlagGuard append(m_appendItems, true);
        ScanFolder("/");
    } else {
        ScanFolder(m_directory);
    }
    if (m_events.OnEndSearch) m_events.OnEndSearch();
}

std::string TFileScan::ResultLine(const std::string& folder, const TSearchRec& entry) const {
    std::string line = m_incDirName ? folder + entry.Name : entry.Name;
    if (m_showSize) line += "  " + Format("%12s", WithThousands(entry.Size));
    if (m_showDate) {
        std::tm t = LocalTime(entry.Time);
        std::string date = Format("%4.2d/%2.2d/%2.2d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
        std::string time = Format("%2.2d:%2.2d:%2.2d", t.tm_hour, t.tm_min, t.tm_sec);
        line += "  " + Format("%10s", date) + "  " + Format("%8s", time);
    }
    if (m_showAttr) {
        static const struct {
            int bit;
            char letter;
        } kLetters[] = {{faReadOnly, 'R'}, {faHidden, 'H'},    {faSysFile, 'S'},
                        {faVolumeID, 'V'}, {faDirectory, 'D'}, {faArchive, 'A'}};
        line += "  ";
        for (const auto& item : kLetters)
            line += (entry.Attr & item.bit) ? item.letter : '-';
    }
    return line;
}

void TFileScan::ReportCurrentFile(const std::string& path) {
    if (m_events.CurrInfoLabel) m_events.CurrInfoLabel(path + std::string(3 * 26, ' '));
}

bool TFileScan::PassesDateRange(const TSearchRec& entry) {
    if (m_endYear != 0 && m_startYear == 0) {
        m_startYear = 1900;
        m_startMonth = 1;
        m_startDay = 1;
    }
    if (m_startYear == 0 || m_endYear == 0) return true;
    double start = EncodeDate(m_startYear, m_startMonth, m_startDay);
    double end = EncodeDate(m_endYear, m_endMonth, m_endDay);
    double stamp = LocalDays(entry.Time);
    return start < stamp && stamp < end;
}

// Steps of one entry; returns false when the match limit ends the folder.
bool TFileScan::ExamineEntry(const std::string& folder, const TSearchRec& entry,
                             double endOfToday) {
    ReportCurrentFile(folder + entry.Name);
    bool accepted = Compare<int64_t>(entry.Size, m_fileSize, m_fileSizeComp);
    if (accepted && m_fileAgeComp != fctNone) {
        int64_t age = static_cast<int64_t>(std::trunc(endOfToday - LocalDays(entry.Time)));
        accepted = Compare<int64_t>(age, m_fileAge, m_fileAgeComp);
    }
    accepted = accepted && PassesDateRange(entry);
    bool searchContent =
        !m_searchStrings.empty() && !(m_searchStrings.size() == 1 && m_searchStrings[0] == "*");
    if (accepted && searchContent) {
        int result = SearchFileContents(folder + entry.Name);
        if (result < 0) m_foundItems.push_back(kErrorScanningLine + folder + entry.Name);
        accepted = result > 0;
    }
    if (accepted) {
        if (m_events.OnFoundFile) m_events.OnFoundFile(folder, entry);
        m_foundItems.push_back(ResultLine(folder, entry));
    }
    if (m_events.ProcessEvents) m_events.ProcessEvents();
    if (m_matchLimit > 0 && m_foundItems.size() >= static_cast<size_t>(m_matchLimit)) {
        m_foundItems.emplace_back(kMatchLimitLine);
        return false;
    }
    return true;
}

void TFileScan::ScanFolder(const std::string& folder) {
    if (m_busy) return;
    TFlagGuard busy(m_busy, true);
    std::tm now = LocalTime(static_cast<int64_t>(std::time(nullptr)));
    double endOfToday =
        static_cast<double>(DaysFromCivil(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday)) +
        0.99999;
    int mask = 0;
    if (m_fileType.count(ftHidden)) mask |= faHidden;
    if (m_fileType.count(ftSystem)) mask |= faSysFile;
    if (m_fileType.count(ftVolumeID)) mask |= faVolumeID;
    const int restricted = faHidden | faSysFile | faVolumeID;
    std::vector<TSearchRec> entries = ListFolder(folder);
    for (const std::string& pattern : SplitSpecs(m_fileSpecs))
        for (const TSearchRec& entry : entries) {
            if ((entry.Attr & faDirectory) || (entry.Attr & restricted & ~mask) ||
                !MatchesPattern(pattern, entry.Name))
                continue;
            if (!ExamineEntry(folder, entry, endOfToday)) return;
        }
    if (m_incSubDir) ScanSubFolders(folder, entries);
}

// Sub-folders are reported, and a scan of each is requested; the busy flag
// turns that request away, so a scan covers one folder.
void TFileScan::ScanSubFolders(const std::string& folder, const std::vector<TSearchRec>& entries) {
    bool hiddenAllowed = m_dirType.count(dtHidden) != 0;
    for (const TSearchRec& entry : entries) {
        if (!(entry.Attr & faDirectory) || entry.Name.find('.') != std::string::npos) continue;
        if ((entry.Attr & faHidden) && !hiddenAllowed) continue;
        if (m_events.OnFoundDirectory) m_events.OnFoundDirectory(folder, entry);
        ScanFolder(folder + entry.Name + "/");
    }
}

// One text in one block. A word boundary is a blank before the text and a
// blank, "," or "." after it; the block's start and end count as boundaries
// only where they are the file's start and end, since otherwise the bytes
// beyond them are unknown (the carried-over tail of a block is searched again
// with the next one).
bool TFileScan::SearchBlock(std::string_view block, const std::string& text, bool startIsBoundary,
                            bool endIsBoundary) const {
    if (text.empty()) return false;
    for (size_t pos = block.find(text); pos != std::string_view::npos;
         pos = block.find(text, pos + 1)) {
        size_t end = pos + text.size();
        bool startOk = pos == 0 ? startIsBoundary : block[pos - 1] == ' ';
        bool endOk = end == block.size()
                         ? endIsBoundary
                         : (block[end] == ' ' || block[end] == ',' || block[end] == '.');
        switch (m_searchStringType) {
        case sst_Normal: return true;
        case sst_Prefix:
            if (startOk) return true;
            break;
        case sst_Suffix:
            if (endOk) return true;
            break;
        case sst_Word:
            if (startOk && endOk) return true;
            break;
        }
    }
    return false;
}

namespace {

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// True when nothing follows the current position.
bool AtEndOfFile(std::FILE* file) {
    int c = std::fgetc(file);
    if (c == EOF) return true;
    std::ungetc(c, file);
    return false;
}

} // namespace

int TFileScan::SearchFileContents(const std::string& path) {
    std::string reason;
    std::unique_ptr<std::FILE, TFileCloser> file(OpenRegularFile(path, reason)); // no pipe waits
    if (!file) return -1;
    static const char* const kFlagged = "Flagged for Deletion!";
    std::vector<std::string> texts = m_searchStrings; // the working copy the events see
    std::vector<std::string> keys;
    for (const std::string& text : texts)
        keys.push_back(m_caseSense ? text : UpperAnsiText(text));
    std::vector<bool> flagged(keys.size(), false);
    std::vector<char> chunk(kBlockSize);
    std::string block;
    bool startIsFileStart = true;
    bool matched = false;
    while (!matched) {
        size_t count = std::fread(chunk.data(), 1, kBlockSize, file.get());
        if (std::ferror(file.get())) return -2;
        bool atEnd = count < kBlockSize || AtEndOfFile(file.get());
        block.append(chunk.data(), count);
        std::string searchable = m_caseSense ? block : UpperAnsiText(block);
        for (size_t i = 0; i < keys.size() && !matched; ++i) {
            if (flagged[i]) continue;
            if (m_events.OnBeforeBufferScan)
                m_events.OnBeforeBufferScan(path, texts, block, m_caseSense);
            bool found = SearchBlock(searchable, keys[i], startIsFileStart, atEnd);
            if (m_events.OnAfterBufferScan)
                m_events.OnAfterBufferScan(path, texts, block, m_caseSense, found);
            if (found && m_searchType == st_And) {
                texts[i] = kFlagged;
                flagged[i] = true;
            } else if (found) {
                matched = true;
            }
        }
        if (m_searchType == st_And && !matched) {
            for (size_t i = keys.size(); i-- > 0;)
                if (flagged[i]) {
                    texts.erase(texts.begin() + static_cast<std::ptrdiff_t>(i));
                    keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(i));
                    flagged.erase(flagged.begin() + static_cast<std::ptrdiff_t>(i));
                }
            matched = keys.empty();
        }
        if (atEnd) break;
        // Keep enough of the tail to find a text split between this block and
        // the next, plus the byte before it for the word-start test.
        size_t longest = 0;
        for (const std::string& key : keys)
            longest = std::max(longest, key.size());
        size_t keep = std::min(block.size(), longest + 1);
        if (keep < block.size()) startIsFileStart = false;
        block.erase(0, block.size() - keep);
    }
    if (m_searchType == st_Not) return matched ? 0 : 1;
    return matched ? 1 : 0;
}

} // namespace quarno
