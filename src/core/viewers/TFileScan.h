// The file scanner: lists the files of one folder that match name patterns,
// optionally filtered by size, age, a date range and their content, as one
// text line each in FoundItems.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

enum TFileType { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftArchive, ftNormal };
enum TDirType { dtReadOnly, dtHidden, dtSystem, dtArchive };
enum TSearchStringType { sst_Normal, sst_Word, sst_Prefix, sst_Suffix };
enum TSearchType { st_And, st_Or, st_Not };
enum TFileCompareType {
    fctNone,
    fctEqual,
    fctGreaterThan,
    fctLessThan,
    fctGreaterThanOrEqual,
    fctLessThanOrEqual
};

// Attribute bits of a folder entry. On Linux: read-only when the owner may not
// write, hidden when the name starts with ".", archive for every regular
// file; system and volume label never.
enum : int {
    faReadOnly = 1,
    faHidden = 2,
    faSysFile = 4,
    faVolumeID = 8,
    faDirectory = 16,
    faArchive = 32
};

// One folder entry as the scan met it.
struct TSearchRec {
    std::string Name;
    int64_t Size = 0;
    int64_t Time = 0; // modification time, seconds since the Unix epoch
    int Attr = 0;
};

struct TFileScanEvents {
    std::function<void()> OnStartSearch;
    std::function<void()> OnEndSearch;
    std::function<void(const std::string& dirPath, const TSearchRec& fileInfo)> OnFoundFile;
    std::function<void(const std::string& dirPath, const TSearchRec& dirInfo)> OnFoundDirectory;
    std::function<void(const std::string& fileName, const std::vector<std::string>& searchStrings,
                       std::string_view fileBuffer, bool caseSense)>
        OnBeforeBufferScan;
    std::function<void(const std::string& fileName, const std::vector<std::string>& searchStrings,
                       std::string_view fileBuffer, bool caseSense, bool scanSuccessful)>
        OnAfterBufferScan;
    // The label that shows the file being examined (CurrInfoLabel).
    std::function<void(const std::string& caption)> CurrInfoLabel;
    // Lets the user interface handle pending events after each file.
    std::function<void()> ProcessEvents;
};

class TFileScan {
public:
    static constexpr size_t kBlockSize = 30000;
    static constexpr const char* kMatchLimitLine =
        "  *** Search Match Limit has been meet!  Search Stopped.";
    static constexpr const char* kErrorScanningLine = "*** Error Scanning: ";

    TFileScan() = default;
    // A scan reports into its own list and events; copies would share nothing
    // useful.
    TFileScan(const TFileScan&) = delete;
    TFileScan& operator=(const TFileScan&) = delete;

    const std::string& Directory() const { return m_directory; }
    // A "/" is appended when missing.
    void SetDirectory(const std::string& directory);
    const std::string& FileSpecs() const { return m_fileSpecs; }
    void SetFileSpecs(const std::string& specs) { m_fileSpecs = specs; }
    const std::set<TFileType>& FileType() const { return m_fileType; }
    void SetFileType(const std::set<TFileType>& types) { m_fileType = types; }
    const std::set<TDirType>& DirType() const { return m_dirType; }
    void SetDirType(const std::set<TDirType>& types) { m_dirType = types; }
    bool IncSubDir() const { return m_incSubDir; }
    void SetIncSubDir(bool value) { m_incSubDir = value; }
    bool SearchAllDrives() const { return m_searchAllDrives; }
    void SetSearchAllDrives(bool value) { m_searchAllDrives = value; }
    const std::vector<std::string>& SearchStrings() const { return m_searchStrings; }
    void SetSearchStrings(const std::vector<std::string>& texts) { m_searchStrings = texts; }
    TSearchStringType SearchStringType() const { return m_searchStringType; }
    void SetSearchStringType(TSearchStringType type) { m_searchStringType = type; }
    TSearchType SearchType() const { return m_searchType; }
    void SetSearchType(TSearchType type) { m_searchType = type; }
    bool CaseSense() const { return m_caseSense; }
    void SetCaseSense(bool value) { m_caseSense = value; }
    int64_t FileSize() const { return m_fileSize; }
    void SetFileSize(int64_t bytes) { m_fileSize = bytes; }
    TFileCompareType FileSizeComp() const { return m_fileSizeComp; }
    void SetFileSizeComp(TFileCompareType comp) { m_fileSizeComp = comp; }
    int FileAge() const { return m_fileAge; }
    void SetFileAge(int days) { m_fileAge = days; }
    TFileCompareType FileAgeComp() const { return m_fileAgeComp; }
    void SetFileAgeComp(TFileCompareType comp) { m_fileAgeComp = comp; }

    // The date setters raise EInvalidStartEndDate and keep the old value; 0
    // (unset) is always accepted.
    int StartYear() const { return m_startYear; }
    void SetStartYear(int year);
    int StartMonth() const { return m_startMonth; }
    void SetStartMonth(int month);
    // Checked against the days of StartMonth (31 while the month is unset).
    int StartDay() const { return m_startDay; }
    void SetStartDay(int day);
    int EndYear() const { return m_endYear; }
    void SetEndYear(int year);
    int EndMonth() const { return m_endMonth; }
    void SetEndMonth(int month);
    int EndDay() const { return m_endDay; }
    void SetEndDay(int day);

    int MatchLimit() const { return m_matchLimit; }
    void SetMatchLimit(int limit) { m_matchLimit = limit; }
    bool ShowSize() const { return m_showSize; }
    void SetShowSize(bool value) { m_showSize = value; }
    bool ShowDate() const { return m_showDate; }
    void SetShowDate(bool value) { m_showDate = value; }
    bool ShowAttr() const { return m_showAttr; }
    void SetShowAttr(bool value) { m_showAttr = value; }
    bool IncDirName() const { return m_incDirName; }
    void SetIncDirName(bool value) { m_incDirName = value; }
    bool AppendItems() const { return m_appendItems; }
    void SetAppendItems(bool value) { m_appendItems = value; }

    // Reads false. Setting it to true runs a whole scan synchronously; setting
    // it to false does nothing. A date range that is not a calendar date
    // raises EConvertError out of the scan.
    bool StartScan() const { return false; }
    void SetStartScan(bool value);

    std::vector<std::string>& FoundItems() { return m_foundItems; }
    const std::vector<std::string>& FoundItems() const { return m_foundItems; }
    TFileScanEvents& Events() { return m_events; }
    // Set while a folder is being scanned; a nested request then does nothing.
    bool Busy() const { return m_busy; }

    // The content search of one file: 1 match, 0 no match, -1 cannot open,
    // -2 failure while reading.
    int SearchFileContents(const std::string& path);

    // The result line of a found file in folder (with its trailing "/").
    std::string ResultLine(const std::string& folder, const TSearchRec& entry) const;

    // Windows-style name pattern ("*", "?", "*.*" also matching names without
    // a dot), without regard to case.
    static bool MatchesPattern(std::string_view pattern, std::string_view name);

private:
    void ScanFolder(const std::string& folder);
    bool ExamineEntry(const std::string& folder, const TSearchRec& entry, double endOfToday);
    bool PassesDateRange(const TSearchRec& entry);
    bool SearchBlock(std::string_view block, const std::string& text, bool startIsBoundary,
                     bool endIsBoundary) const;
    void ScanSubFolders(const std::string& folder, const std::vector<TSearchRec>& entries);
    void ReportCurrentFile(const std::string& path);

    std::string m_directory = "/";
    std::string m_fileSpecs = "*.*";
    std::set<TFileType> m_fileType{ftNormal};
    std::set<TDirType> m_dirType;
    bool m_incSubDir = true;
    bool m_searchAllDrives = false;
    std::vector<std::string> m_searchStrings;
    TSearchStringType m_searchStringType = sst_Normal;
    TSearchType m_searchType = st_Or;
    bool m_caseSense = false;
    int64_t m_fileSize = 0;
    TFileCompareType m_fileSizeComp = fctNone;
    int m_fileAge = 0;
    TFileCompareType m_fileAgeComp = fctNone;
    int m_startYear = 0, m_startMonth = 0, m_startDay = 0;
    int m_endYear = 0, m_endMonth = 0, m_endDay = 0;
    int m_matchLimit = 0;
    bool m_showSize = false, m_showDate = false, m_showAttr = false;
    bool m_incDirName = true;
    bool m_appendItems = false;
    bool m_busy = false;
    std::vector<std::string> m_foundItems;
    TFileScanEvents m_events;
};

} // namespace quarno
