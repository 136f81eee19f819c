// The real prompts: modal QMessageBox boxes over the active window.
#pragma once

#include "core/app/TPrompts.h"

namespace quarno {

class TQtPrompts : public TPrompts {
public:
    TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                      TPromptButtons buttons) override;
    // The text label takes the system's fixed-pitch font.
    TPromptButton AskFixedPitch(TPromptKind kind, const std::string& title, const std::string& text,
                                TPromptButtons buttons) override;

private:
    static TPromptButton AskBox(TPromptKind kind, const std::string& title, const std::string& text,
                                TPromptButtons buttons, bool fixedPitch);
};

} // namespace quarno
