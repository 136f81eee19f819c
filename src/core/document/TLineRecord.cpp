// One stored line of a document.
#include "core/document/TLineRecord.h"

#include <cassert>
#include <cstring>
#include <utility>

namespace quarno {

// A loaded document holds one record per line.
static_assert(sizeof(void*) != 8 || sizeof(TLineRecord) == 24, "a record is three words");

void TLineRecord::Release() {
    FreeText();
    DetachExtras();
}

void TLineRecord::SetTokenBytes(uint8_t* tokens) {
    if (HasExtras())
        ExtrasOf()->tokens = tokens;
    else
        m_side = reinterpret_cast<uintptr_t>(tokens);
}

void TLineRecord::FreeTokens() {
    if (!(m_length & kListTokens)) delete[] TokenBytes();
    SetTokenBytes(nullptr);
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
    m_length &= kHasExtras;
}

void TLineRecord::SetText(std::string_view text) {
    assert(text.size() <= kLengthMask);
    FreeText();
    if (text.empty()) return;
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    m_text = copy;
    m_length |= static_cast<uint16_t>(text.size() | kOwnsText);
}

void TLineRecord::ShowText(const char* text, int length) {
    assert(length >= 0 && length <= kLengthMask && text[length] == '\0');
    FreeText();
    if (length == 0) return;
    m_text = text;
    m_length |= static_cast<uint16_t>(length);
}

uint8_t* TLineRecord::EnsureTokens() {
    if (m_length & kTokensDropped) {
        m_length &= static_cast<uint16_t>(~kTokensDropped);
        std::memset(TokenBytes(), 0, static_cast<size_t>(Length()));
    }
    if (!TokenBytes() && Length() > 0) SetTokenBytes(new uint8_t[static_cast<size_t>(Length())]());
    return TokenBytes();
}

void TLineRecord::ShowTokens(uint8_t* tokens) {
    FreeTokens();
    SetTokenBytes(tokens);
    m_length |= kListTokens;
}

TLineRecord::Extras& TLineRecord::EnsureExtras() {
    if (!HasExtras()) AttachExtras(std::make_unique<Extras>());
    return *ExtrasOf();
}

std::unique_ptr<TLineRecord::Extras> TLineRecord::DetachExtras() {
    if (!HasExtras()) return nullptr;
    std::unique_ptr<Extras> extras(ExtrasOf());
    m_length &= static_cast<uint16_t>(~kHasExtras);
    m_side = reinterpret_cast<uintptr_t>(std::exchange(extras->tokens, nullptr));
    return extras;
}

void TLineRecord::AttachExtras(std::unique_ptr<Extras> extras) {
    DetachExtras();
    if (!extras) return;
    extras->tokens = TokenBytes();
    m_side = reinterpret_cast<uintptr_t>(extras.release());
    m_length |= kHasExtras;
}

void TLineRecord::SetImages(uint16_t images) {
    if (images != 0 || HasExtras()) EnsureExtras().images = images;
}

void TLineRecord::SetColors(int32_t textColor, int32_t backColor) {
    if (textColor != -1 || backColor != -1 || HasExtras()) {
        Extras& extras = EnsureExtras();
        extras.textColor = textColor;
        extras.backColor = backColor;
    }
}

void TLineRecord::SetObject(std::unique_ptr<TLineObject> object) {
    if (object || HasExtras()) EnsureExtras().object = std::move(object);
}

// The token bytes stay: they describe this record's characters.
void TLineRecord::MoveAttributesTo(TLineRecord& target) {
    target.m_marks = m_marks;
    target.AttachExtras(DetachExtras());
}

} // namespace quarno
