// Logged, scripted prompts for automated runs.
#include "core/app/TFilePrompts.h"

#include "core/base/StringUtils.h"

#include <cstdio>

namespace quarno {

TFilePrompts::TFilePrompts(std::string logPath, std::deque<TPromptButton> answers)
    : m_logPath(std::move(logPath)), m_answers(std::move(answers)) {}

std::deque<TPromptButton> TFilePrompts::ParseAnswers(const std::string& text) {
    std::deque<TPromptButton> answers;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        TPromptButton button{};
        if (ParsePromptButton(std::string(Trim(text.substr(start, comma - start))), button))
            answers.push_back(button);
        start = comma + 1;
    }
    return answers;
}

std::string TFilePrompts::Escape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\\': escaped += "\\\\"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

TPromptButton TFilePrompts::Ask(TPromptKind kind, const std::string& title, const std::string& text,
                                TPromptButtons buttons) {
    TPromptButton answer = DefaultButton(buttons);
    if (!m_answers.empty()) {
        if (HasButton(buttons, m_answers.front())) answer = m_answers.front();
        m_answers.pop_front();
    }
    std::string shownTitle = title.empty() ? DefaultPromptTitle(kind) : title;
    Append(std::string(PromptKindName(kind)) + "\t" + Escape(shownTitle) + "\t" + Escape(text) +
           "\t" + PromptButtonName(answer) + "\n");
    return answer;
}

// Opened for each box, so a test reading the log sees every line at once.
void TFilePrompts::Append(const std::string& line) const {
    std::FILE* file = std::fopen(m_logPath.c_str(), "ab");
    if (!file) {
        std::fputs(line.c_str(), stderr);
        return;
    }
    std::fputs(line.c_str(), file);
    std::fclose(file);
}

} // namespace quarno
