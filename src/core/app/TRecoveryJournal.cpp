// Journals of modified documents.
#include "core/app/TRecoveryJournal.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace quarno {

namespace {

constexpr const char* kExtension = ".journal";

// Field 22 of /proc/PID/stat: the start time in clock ticks after boot; "" when
// it cannot be read. The command name (field 2) may hold blanks and
// parentheses, so fields are counted after its last ")".
std::string StartTimeOf(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!stat || !std::getline(stat, line)) return {};
    size_t close = line.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index)
        if (index == 22) return field;
    return {};
}

// "NAME\n" fields: a length line, then that many bytes and a line feed.
void AppendField(std::string& out, std::string_view value) {
    out += std::to_string(value.size());
    out += '\n';
    out.append(value);
    out += '\n';
}

class TJournalReader {
public:
    explicit TJournalReader(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<std::string> Line() {
        size_t end = m_bytes.find('\n', m_at);
        if (end == std::string_view::npos) return std::nullopt;
        std::string line(m_bytes.substr(m_at, end - m_at));
        m_at = end + 1;
        return line;
    }
    std::optional<std::string> Field() {
        std::optional<std::string> length = Line();
        if (!length || length->empty() || !std::all_of(length->begin(), length->end(), [](char c) {
                return c >= '0' && c <= '9';
            }))
            return std::nullopt;
        size_t count = std::stoull(*length);
        if (count > m_bytes.size() - m_at || m_at + count >= m_bytes.size() ||
            m_bytes[m_at + count] != '\n')
            return std::nullopt;
        std::string value(m_bytes.substr(m_at, count));
        m_at += count + 1;
        return value;
    }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

std::optional<TJournalEntry> ReadJournal(const std::string& path, std::string& owner) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const Exception&) {
        return std::nullopt;
    }
    TJournalReader reader(bytes);
    std::optional<std::string> magic = reader.Line();
    std::optional<std::string> writer = reader.Field();
    std::optional<std::string> name = reader.Field();
    std::optional<std::string> encoding = reader.Field();
    std::optional<std::string> text = reader.Field();
    if (!magic || *magic != TRecoveryJournal::kMagic || !writer || !name || !encoding || !text)
        return std::nullopt;
    int code = encoding->size() == 1 ? (*encoding)[0] - '0' : -1;
    if (code < 0 || code > static_cast<int>(TSourceEncoding::Utf8ReadOnly)) return std::nullopt;
    owner = *writer;
    return TJournalEntry{path, *name, static_cast<TSourceEncoding>(code), std::move(*text)};
}

} // namespace

TRecoveryJournal::TRecoveryJournal(std::string folder, std::string owner)
    : m_folder(std::move(folder)), m_owner(std::move(owner)) {
    if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
}

std::string TRecoveryJournal::DefaultFolder(const std::string& xdgStateHome,
                                            const std::string& home) {
    std::string state = !xdgStateHome.empty() && xdgStateHome.front() == '/'
                            ? xdgStateHome
                            : home + "/.local/state";
    if (state.back() != '/') state += '/';
    return state + "QUARNO/recovery/";
}

std::string TRecoveryJournal::CurrentOwner() {
    long pid = static_cast<long>(::getpid());
    return std::to_string(pid) + "-" + StartTimeOf(pid);
}

bool TRecoveryJournal::OwnerIsRunning(const std::string& owner) {
    size_t dash = owner.find('-');
    if (dash == 0 || dash == std::string::npos) return false;
    long pid = 0;
    try {
        pid = std::stol(owner.substr(0, dash));
    } catch (const std::exception&) {
        return false;
    }
    if (pid <= 0) return false;
    std::string started = owner.substr(dash + 1);
    // Without /proc, a process that answers signals is taken to be the owner.
    if (!DirectoryExists("/proc/self"))
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    return !started.empty() && StartTimeOf(pid) == started;
}

std::string TRecoveryJournal::PathPrefix() const {
    return m_folder + m_owner + "-";
}

std::string TRecoveryJournal::JournalPath(int documentId) const {
    return PathPrefix() + std::to_string(documentId) + kExtension;
}

void TRecoveryJournal::Write(int documentId, const std::string& fileName, TSourceEncoding encoding,
                             std::string_view text) const {
    std::string problem;
    ForceDirectories(ExtractFilePath(m_folder.substr(0, m_folder.size() - 1)), 0700);
    if (!EnsurePrivateFolder(m_folder.substr(0, m_folder.size() - 1), problem))
        throw EFCreateError(Format("Cannot create folder \"%s\". %s", m_folder, problem));
    std::string bytes = std::string(kMagic) + "\n";
    bytes.reserve(text.size() + fileName.size() + 128);
    AppendField(bytes, m_owner);
    AppendField(bytes, fileName);
    AppendField(bytes, std::to_string(static_cast<int>(encoding)));
    AppendField(bytes, text);
    WriteFileSafely(JournalPath(documentId), bytes);
}

void TRecoveryJournal::Remove(int documentId) const {
    std::error_code ignored;
    std::filesystem::remove(JournalPath(documentId), ignored);
}

std::vector<TJournalEntry> TRecoveryJournal::Orphans() const {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(m_folder, error)) {
        std::string path = item.path().string();
        if (item.is_regular_file(error) && path.size() > std::string(kExtension).size() &&
            path.ends_with(kExtension))
            paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    std::vector<TJournalEntry> orphans;
    for (const std::string& path : paths) {
        std::string owner;
        std::optional<TJournalEntry> entry = ReadJournal(path, owner);
        if (entry && owner != m_owner && !OwnerIsRunning(owner))
            orphans.push_back(std::move(*entry));
    }
    return orphans;
}

void TRecoveryJournal::Discard(const TJournalEntry& entry) const {
    std::error_code ignored;
    std::filesystem::remove(entry.path, ignored);
}

} // namespace quarno
