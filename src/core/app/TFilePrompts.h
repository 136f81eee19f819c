// Prompts for automated runs of the application: no box is shown. Each box is
// appended to a log file as one line
//     kind TAB title TAB text TAB answer
// (CR, LF, TAB and backslash written as \r \n \t \\), and answered with the
// next scripted answer, or with the box's first button when none is left.
// quarno-ide uses it when the environment variable QUARNO_PROMPT_LOG names the
// log file; QUARNO_PROMPT_ANSWERS may list answers ("Cancel,No,Yes").
#pragma once

#include "core/app/TPrompts.h"

#include <deque>
#include <string>

namespace quarno {

class TFilePrompts : public TPrompts {
public:
    TFilePrompts(std::string logPath, std::deque<TPromptButton> answers);

    // "Yes, No,Cancel" in order; words that name no button are skipped.
    static std::deque<TPromptButton> ParseAnswers(const std::string& text);
    // The text with CR, LF, TAB and backslash escaped as in the log.
    static std::string Escape(const std::string& text);

    // An answer the box does not offer is replaced by the box's first button,
    // as a real box can only return one of its own buttons.
    TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                      TPromptButtons buttons) override;

private:
    void Append(const std::string& line) const;

    std::string m_logPath;
    std::deque<TPromptButton> m_answers;
};

} // namespace quarno
