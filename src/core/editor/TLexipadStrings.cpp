// The `Lines` view of an editing control.
#include "core/editor/TLexipadStrings.h"

#include "core/document/TextNormalization.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

namespace quarno {

constexpr size_t kLineBufferSize = 4096;

int TLexipadStrings::Count() const {
    return m_pad.Store().RecordCount();
}

std::string TLexipadStrings::Get(int index) const {
    return m_pad.LineText(index).substr(0, kLineBufferSize);
}

void TLexipadStrings::Put(int index, std::string_view text) {
    if (index < 0 || index >= Count()) return;
    int start = m_pad.LineIndex(index);
    m_pad.SetSelection(start, start + m_pad.Store().Record(index).TextLength());
    m_pad.ReplaceSelection(text);
}

void TLexipadStrings::Insert(int index, std::string_view text) {
    if (index >= 0 && index < Count()) {
        int start = m_pad.LineIndex(index);
        m_pad.SetSelection(start, start);
        m_pad.ReplaceSelection(std::string(text) + "\r\n");
        return;
    }
    int end = m_pad.CharCount();
    bool needsBreak = end > 0 && m_pad.Store().CharAt(end - 1) != '\r';
    m_pad.SetSelection(end, end);
    m_pad.ReplaceSelection(needsBreak ? "\r" + std::string(text) : std::string(text));
}

void TLexipadStrings::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    m_pad.SetSelection(m_pad.LineIndex(index), m_pad.LineIndex(index + 1));
    m_pad.ReplaceSelection({});
}

void TLexipadStrings::BeginUpdate() {
    m_pad.LockUpdate(true);
}

void TLexipadStrings::EndUpdate() {
    m_pad.LockUpdate(false);
}

std::string TLexipadStrings::Text() const {
    return m_pad.Text();
}

void TLexipadStrings::SetText(std::string_view text) {
    if (NormalizeText(text) != m_pad.Text()) m_pad.SetText(text);
}

void TLexipadStrings::LoadFromFile(const std::string& path) {
    m_pad.LoadFromFile(path);
}

void TLexipadStrings::SaveToFile(const std::string& path) {
    m_pad.SaveToFile(path);
}

void TLexipadStrings::LoadFromStream(TStream& stream) {
    m_pad.LoadFromStream(stream);
}

void TLexipadStrings::SaveToStream(TStream& stream) {
    m_pad.SaveToStream(&stream);
}

} // namespace quarno
