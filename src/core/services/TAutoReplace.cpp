// Automatic replacement and its trigger keys.
#include "core/services/TAutoReplace.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/lexicon/ShortCuts.h"

#include <algorithm>

namespace quarno {

namespace {

int EscapedKey(const std::string& text, size_t& pos) {
    if (pos >= text.size()) throw ELexipad("Bad key specifier");
    char c = text[pos++];
    switch (c) {
    case 'n':
    case 'N':
    case 'r':
    case 'R': return vk::Return;
    case 's':
    case 'S': return vk::Space;
    case 't':
    case 'T': return vk::Tab;
    case '{': {
        size_t close = text.find('}', pos);
        if (close == std::string::npos) throw ELexipad("Bad key specifier");
        std::string name = LowerCase(text.substr(pos, close - pos));
        pos = close + 1;
        return KeyCodeFromName(name);
    }
    default: return VkKeyScan(static_cast<uint8_t>(c));
    }
}

} // namespace

TAutoReplace::TAutoReplace() {
    SetTriggerText(kDefaultTriggers);
}

void TAutoReplace::SetTriggerText(const std::string& text) {
    // The stored form is a short string: a longer text would come back cut,
    // perhaps in the middle of a key specifier.
    if (text.size() > kMaxTriggerText) throw ELexipad("Action keys longer than 255 characters");
    std::vector<int> keys;
    for (size_t pos = 0; pos < text.size();) {
        char c = text[pos++];
        int key = c == '\\' ? EscapedKey(text, pos) : VkKeyScan(static_cast<uint8_t>(c));
        if (key >= 0 && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    m_triggerText = text;
    m_triggerKeys = std::move(keys);
}

bool TAutoReplace::IsTrigger(uint16_t key, uint8_t shift) const {
    if (!Enabled() || m_triggerText.empty() || key > 0xFF) return false;
    int code = key + ((shift & kShiftKey) ? 0x100 : 0) + ((shift & kCtrlKey) ? 0x200 : 0) +
               ((shift & kAltKey) ? 0x400 : 0);
    return std::find(m_triggerKeys.begin(), m_triggerKeys.end(), code) != m_triggerKeys.end();
}

void TAutoReplace::WriteTo(TStream& stream) const {
    TCodeTemplates::WriteTo(stream);
    WriteShortString(stream, m_triggerText);
}

void TAutoReplace::ReadFrom(TStream& stream) {
    TCodeTemplates::ReadFrom(stream);
    SetTriggerText(ReadShortString(stream));
}

} // namespace quarno
