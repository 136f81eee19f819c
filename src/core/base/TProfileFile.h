// A profile (INI) file with the semantics of the Windows profile API: section
// and key names match without regard to case, a missing file, section or key
// reads as the caller's default, and every write goes to the file at once.
// Nothing is cached: each call reads the file afresh, so edits made outside
// take effect at the next call. A UTF-8 byte-order mark at the start of the
// file is skipped on reading and kept on writing.
#pragma once

#include <string>
#include <vector>

namespace quarno {

// One key of a profile file as it stands there (value untrimmed of quotes).
struct TProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

class TProfileFile {
public:
    explicit TProfileFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }
    bool Exists() const;

    // The value with blanks trimmed and one pair of enclosing quotes removed.
    // EFOpenError when the path names a folder, pipe or device.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // A decimal value; the default when the key is missing or not a number.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // True when the section holds the key, whatever its value (empty too).
    bool HasKey(const std::string& section, const std::string& key) const;
    // Every key of the file in file order; the first of duplicate keys counts.
    std::vector<TProfileEntry> Entries() const;

    // Creates the file, the section or the key as needed (EFCreateError when
    // the file cannot be written; the old file is then left intact). A name or
    // value holding a line break, a key name holding "=" or starting with "["
    // or ";", could not be read back as written: Exception, nothing written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);

private:
    std::string m_path;
};

} // namespace quarno
