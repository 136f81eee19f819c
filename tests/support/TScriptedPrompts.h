// A prompts double: answers come from a queue (else the box's first button)
// and every box is recorded, so tests assert the exact texts shown.
#pragma once

#include "core/app/TPrompts.h"

#include <deque>
#include <string>
#include <vector>

namespace quarno::test {

class TScriptedPrompts : public TPrompts {
public:
    struct Box {
        TPromptKind kind;
        std::string title; // as given; empty means the kind's usual caption
        std::string text;
        TPromptButtons buttons;
        TPromptButton answer;
        bool fixedPitch = false; // asked to keep the text's columns
    };

    void QueueAnswer(TPromptButton answer) { m_answers.push_back(answer); }

    TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                      TPromptButtons buttons) override {
        return Record(kind, title, text, buttons, false);
    }
    TPromptButton AskFixedPitch(TPromptKind kind, const std::string& title, const std::string& text,
                                TPromptButtons buttons) override {
        return Record(kind, title, text, buttons, true);
    }

    const std::vector<Box>& Boxes() const { return m_boxes; }
    // Answers queued but never asked for.
    size_t PendingAnswers() const { return m_answers.size(); }

private:
    TPromptButton Record(TPromptKind kind, const std::string& title, const std::string& text,
                         TPromptButtons buttons, bool fixedPitch) {
        TPromptButton answer = DefaultButton(buttons);
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        m_boxes.push_back({kind, title, text, buttons, answer, fixedPitch});
        return answer;
    }

    std::deque<TPromptButton> m_answers;
    std::vector<Box> m_boxes;
};

} // namespace quarno::test
