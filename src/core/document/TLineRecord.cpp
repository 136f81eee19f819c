// One stored line of a document.
#include "core/document/TLineRecord.h"

#include <cstring>

namespace quarno {

void TLineRecord::SetText(std::string_view text) {
    m_tokens.reset();
    m_length = static_cast<uint16_t>(text.size());
    if (text.empty()) {
        m_text.reset();
        return;
    }
    m_text.reset(new char[text.size() + 1]);
    std::memcpy(m_text.get(), text.data(), text.size());
    m_text[text.size()] = '\0';
}

uint8_t* TLineRecord::EnsureTokens() {
    if (!m_tokens && m_length > 0) m_tokens.reset(new uint8_t[m_length]());
    return m_tokens.get();
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
