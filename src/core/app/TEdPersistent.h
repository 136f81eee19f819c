// The settings store on the history file "QUARNO.DAT": recent files and the
// find and replace histories as sections of a list of lines, plus the state
// of the last search, which lives only in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarno {

class TEdPersistent {
public:
    static constexpr int kSectionLimit = 20;

    // What a store does when its file does not exist yet.
    enum TMissingFile { mfCreate, mfLeave };

    // folder: the executable's folder with its trailing "/". Loads the history
    // file; when it does not exist, mfCreate writes an empty one at once
    // (EFCreateError when it cannot be written) and mfLeave starts empty and
    // writes nothing until a section is written. A path that names a folder,
    // pipe or device is left alone: EFCreateError with mfCreate (the file
    // cannot be made), EFOpenError with mfLeave.
    explicit TEdPersistent(const std::string& folder, const std::string& fileName = "QUARNO.DAT",
                           TMissingFile missing = mfCreate);

    const std::string& FilePath() const { return m_path; }
    const std::vector<std::string>& Lines() const { return m_lines; }

    // The non-empty lines after the first line equal to header (any case), up
    // to the first empty line, the end, or 20 items.
    const std::vector<std::string>& ReadSection(const std::string& header);
    // Replaces the section and saves the file at once. Items the file could
    // not give back as they are (empty, holding a line break, spelled like
    // one of the three headers) are left out but count towards the limit.
    void WriteSection(const std::string& header, const std::vector<std::string>& items,
                      int limit = kSectionLimit);

    static constexpr const char* kRecentFilesHeader = "[MRU]";
    static constexpr const char* kFindHeader = "[FindHistory]";
    static constexpr const char* kReplaceHeader = "[ReplaceHistory]";

    const std::vector<std::string>& ReadFindHistory() { return ReadSection(kFindHeader); }
    const std::vector<std::string>& ReadReplaceHistory() { return ReadSection(kReplaceHeader); }
    const std::vector<std::string>& ReadRecentFiles() { return ReadSection(kRecentFilesHeader); }
    void WriteFindHistory(const std::vector<std::string>& items) {
        WriteSection(kFindHeader, items);
    }
    void WriteReplaceHistory(const std::vector<std::string>& items) {
        WriteSection(kReplaceHeader, items);
    }
    void WriteRecentFiles(const std::vector<std::string>& items) {
        WriteSection(kRecentFilesHeader, items);
    }

    uint16_t SearchOptions() const { return m_searchOptions; }
    void SetSearchOptions(uint16_t options) { m_searchOptions = options; }
    const std::string& LastSearchText() const { return m_lastSearchText; }
    void SetLastSearchText(const std::string& text) { m_lastSearchText = text; }

private:
    static bool Storable(const std::string& item);
    // The header's line: the first that starts the file or follows an empty
    // line, else (unless startsSection) the first anywhere; -1 when none.
    int FindHeader(const std::string& header, bool startsSection = false) const;
    void RemoveSection(int header);
    void Save();

    std::string m_path;
    std::vector<std::string> m_lines;
    std::vector<std::string> m_section;
    uint16_t m_searchOptions = 0;
    std::string m_lastSearchText;
};

} // namespace quarno
