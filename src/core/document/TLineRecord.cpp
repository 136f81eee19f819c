// One stored line of a document.
#include "core/document/TLineRecord.h"

#include <cassert>
#include <cstring>
#include <utility>

namespace quarno {

TLineRecord& TLineRecord::operator=(TLineRecord&& other) noexcept {
    if (this == &other) return *this;
    FreeText();
    m_text = std::exchange(other.m_text, nullptr);
    m_length = std::exchange(other.m_length, uint16_t{0});
    m_tokens = std::exchange(other.m_tokens, nullptr);
    m_extras = std::move(other.m_extras);
    m_flags = other.m_flags;
    m_marks = other.m_marks;
    return *this;
}

void TLineRecord::FreeTokens() {
    if (!(m_length & kListTokens)) delete[] m_tokens;
    m_tokens = nullptr;
    m_length &= static_cast<uint16_t>(~(kListTokens | kTokensDropped));
}

void TLineRecord::DropTokens() {
    if (m_length & kListTokens)
        m_length |= kTokensDropped;
    else
        FreeTokens();
}

// The token bytes go with the characters they describe.
void TLineRecord::FreeText() {
    FreeTokens();
    if (m_length & kOwnsText) delete[] m_text;
    m_text = nullptr;
    m_length = 0;
}

void TLineRecord::SetText(std::string_view text) {
    assert(text.size() <= kLengthMask);
    FreeText();
    if (text.empty()) return;
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    m_text = copy;
    m_length = static_cast<uint16_t>(text.size() | kOwnsText);
}

void TLineRecord::ShowText(const char* text, int length) {
    assert(length >= 0 && length <= kLengthMask && text[length] == '\0');
    FreeText();
    if (length == 0) return;
    m_text = text;
    m_length = static_cast<uint16_t>(length);
}

uint8_t* TLineRecord::EnsureTokens() {
    if (m_length & kTokensDropped) {
        m_length &= static_cast<uint16_t>(~kTokensDropped);
        std::memset(m_tokens, 0, static_cast<size_t>(Length()));
    }
    if (!m_tokens && Length() > 0) m_tokens = new uint8_t[static_cast<size_t>(Length())]();
    return m_tokens;
}

void TLineRecord::ShowTokens(uint8_t* tokens) {
    FreeTokens();
    m_tokens = tokens;
    m_length |= kListTokens;
}

TLineRecord::Extras& TLineRecord::EnsureExtras() {
    if (!m_extras) m_extras = std::make_unique<Extras>();
    return *m_extras;
}

void TLineRecord::SetImages(uint16_t images) {
    if (images != 0 || m_extras) EnsureExtras().images = images;
}

void TLineRecord::SetColors(int32_t textColor, int32_t backColor) {
    if (textColor != -1 || backColor != -1 || m_extras) {
        Extras& extras = EnsureExtras();
        extras.textColor = textColor;
        extras.backColor = backColor;
    }
}

void TLineRecord::SetObject(std::unique_ptr<TLineObject> object) {
    if (object || m_extras) EnsureExtras().object = std::move(object);
}

void TLineRecord::MoveAttributesTo(TLineRecord& target) {
    target.m_marks = m_marks;
    target.m_extras = std::move(m_extras);
}

} // namespace quarno
