// The real prompts: modal QMessageBox boxes over the active window.
#pragma once

#include "core/app/TPrompts.h"

namespace quarno {

class TQtPrompts : public TPrompts {
public:
    TPromptButton Ask(TPromptKind kind, const std::string& title, const std::string& text,
                      TPromptButtons buttons) override;
};

} // namespace quarno
