// The message on the single-instance channel: a later copy asks the first
// copy to come forward and to open the files named on its command line.
//
// Form: "QUARNOPLUSINSTANCE" [" " COUNT] "\n", then COUNT absolute file names,
// each ended by a NUL byte (the one byte a Linux file name cannot hold). The
// bare line without a count asks only for the window to come forward.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class TInstanceMessage {
public:
    static constexpr const char* kMagic = "QUARNOPLUSINSTANCE";
    static constexpr size_t kMaxFiles = 256;
    static constexpr size_t kMaxNameBytes = 4096; // PATH_MAX, the NUL included
    static constexpr size_t kMaxHeaderBytes = 32;

    enum class TState { Incomplete, Complete, Refused };

    // The bytes a later copy sends for files (absolute names, at most
    // kMaxFiles of them; the reader refuses anything else).
    static std::string Encode(const std::vector<std::string>& files);

    // Takes the next bytes of the connection. Once complete, any further byte
    // makes the message refused; once refused it stays refused.
    TState Feed(std::string_view bytes);
    TState State() const { return m_state; }
    // The file names of a complete message, in the order sent.
    const std::vector<std::string>& Files() const { return m_files; }
    // Why the message was refused.
    const std::string& Problem() const { return m_problem; }

private:
    void TakeHeader();
    void TakeName();
    void Refuse(std::string problem);

    TState m_state = TState::Incomplete;
    bool m_inHeader = true;
    size_t m_expected = 0;
    std::string m_pending; // the header or name being read
    std::vector<std::string> m_files;
    std::string m_problem;
};

} // namespace quarno
