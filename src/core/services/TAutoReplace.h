// Automatic replacement: entries applied to the word before the caret when the
// user types one of the trigger keys.
#pragma once

#include "core/services/TCodeTemplates.h"

#include <vector>

namespace quarno {

class TAutoReplace : public TCodeTemplates {
public:
    static constexpr const char* kDefaultTriggers = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";
    static constexpr size_t kMaxTriggerText = 255;

    TAutoReplace();
    const char* ClassName() const override { return "TAutoReplace"; }

    const std::string& TriggerText() const { return m_triggerText; }
    // Sets the trigger characters and parses them into key codes: a plain
    // character gives the key that types it (virtual key + 256 Shift + 512
    // Ctrl + 1024 Alt); after a backslash "n" and "r" give Return, "s" the
    // space bar, "t" Tab, "{name}" a named key ("return", "f5"...; an unknown
    // name matches no key), any other character its key. ELexipad "Bad key
    // specifier" for "{" without "}" or a backslash at the end, "Action keys
    // longer than 255 characters" past what the stored form holds; the text
    // and keys are then unchanged.
    void SetTriggerText(const std::string& text);
    const std::vector<int>& TriggerKeys() const { return m_triggerKeys; }
    // True when enabled, the trigger text is not empty and the key typed
    // (virtual key with TShiftBits) is one of the triggers.
    bool IsTrigger(uint16_t key, uint8_t shift) const;

    // The template stream form followed by the trigger text as a short string.
    void WriteTo(TStream& stream) const override;
    void ReadFrom(TStream& stream) override;

private:
    std::string m_triggerText;
    std::vector<int> m_triggerKeys;
};

} // namespace quarno
