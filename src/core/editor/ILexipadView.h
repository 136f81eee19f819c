// What the editing engine asks of the window that shows it. Headless users
// (quarno-tool, tests) may leave the engine without a view.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

class ILexipadView {
public:
    virtual ~ILexipadView() = default;
    // Paint the lines flagged for repaint, or every visible line when full.
    virtual void Repaint(bool full) = 0;
    virtual void Beep() = 0;
    // Records wait for highlighting in idle time: call the engine's
    // RestyleSlice when idle until it answers false.
    virtual void RestyleWaiting() {}
    // Open the control's built-in find or replace dialog with a search text
    // and the find entry's option word. A view without dialogs ignores them.
    virtual void ShowFindDialog(const std::string& /*preset*/, uint32_t /*options*/) {}
    virtual void ShowReplaceDialog(const std::string& /*preset*/, uint32_t /*options*/) {}
    // An invalid search pattern: the engine's message, the pattern and a
    // caret line under the failure.
    virtual void ShowSearchError(const std::string& /*message*/) {}
};

} // namespace quarno
