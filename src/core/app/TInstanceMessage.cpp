// The single-instance channel's message, written and read.
#include "core/app/TInstanceMessage.h"

#include <charconv>

namespace quarno {

std::string TInstanceMessage::Encode(const std::vector<std::string>& files) {
    std::string bytes = std::string(kMagic) + ' ' + std::to_string(files.size()) + '\n';
    for (const std::string& file : files) {
        bytes += file;
        bytes += '\0';
    }
    return bytes;
}

TInstanceMessage::TState TInstanceMessage::Feed(std::string_view bytes) {
    for (char byte : bytes) {
        if (m_state == TState::Refused) break;
        if (m_state == TState::Complete) {
            Refuse("bytes after the end of the message");
        } else if (m_inHeader) {
            if (byte == '\n')
                TakeHeader();
            else if (m_pending.size() == kMaxHeaderBytes)
                Refuse("the first line is too long");
            else
                m_pending += byte;
        } else if (byte == '\0') {
            TakeName();
        } else if (m_pending.size() + 1 == kMaxNameBytes) {
            Refuse("a file name is too long");
        } else {
            m_pending += byte;
        }
    }
    return m_state;
}

void TInstanceMessage::TakeHeader() {
    std::string_view line = m_pending;
    std::string_view magic = kMagic;
    if (line.substr(0, magic.size()) != magic) return Refuse("not a request of this program");
    std::string_view count = line.substr(magic.size());
    if (!count.empty()) {
        if (count.front() != ' ' || count.size() < 2 || count.size() > 4)
            return Refuse("a malformed first line");
        count.remove_prefix(1);
        auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), m_expected);
        if (error != std::errc() || end != count.data() + count.size())
            return Refuse("a malformed file count");
        if (m_expected > kMaxFiles) return Refuse("too many files");
    }
    m_inHeader = false;
    m_pending.clear();
    if (m_expected == 0) m_state = TState::Complete;
}

void TInstanceMessage::TakeName() {
    if (m_pending.empty() || m_pending.front() != '/')
        return Refuse("a file name that is not absolute");
    m_files.push_back(std::move(m_pending));
    m_pending.clear();
    if (m_files.size() == m_expected) m_state = TState::Complete;
}

void TInstanceMessage::Refuse(std::string problem) {
    m_state = TState::Refused;
    m_problem = std::move(problem);
    m_files.clear();
}

} // namespace quarno
