// Named text entries with a reversed-name trie.
#include "core/services/TMacroKeywords.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"

#include <algorithm>
#include <typeinfo>

namespace quarno {

namespace {

// Walks a text backwards from its end, as the trie of reversed names needs.
class ReverseCursor {
public:
    explicit ReverseCursor(std::string_view text) : m_text(text) {}
    bool AtEnd() const { return m_step >= m_text.size(); }
    char CurrentChar() const { return m_text[m_text.size() - 1 - m_step]; }
    void Advance() { ++m_step; }
    size_t Position() const { return m_step; }
    void SetPosition(size_t step) { m_step = step; }

private:
    std::string_view m_text;
    size_t m_step = 0;
};

} // namespace

TMacroKeywords::TMacroKeywords() : TKeywords(false), m_hotKey(kScCtrl | 'J') {}

namespace {

bool NameBefore(const TMacroEntry& entry, const std::string& lowerName) {
    return LowerCase(entry.name) < lowerName;
}

} // namespace

// The list stays sorted by lower-cased name, so names are found by binary
// search; the trie only needs rebuilding when a name goes away.
int TMacroKeywords::IndexOf(const std::string& name) const {
    std::string lower = LowerCase(name);
    auto at = std::lower_bound(m_list.begin(), m_list.end(), lower, NameBefore);
    if (at == m_list.end() || LowerCase(at->name) != lower) return -1;
    return static_cast<int>(at - m_list.begin());
}

void TMacroKeywords::Add(const std::string& name, const std::string& description,
                         bool caseSensitive, const std::string& body) {
    if (name.empty()) return;
    TMacroEntry entry{name.substr(0, 255), description.substr(0, 255), body};
    if (!caseSensitive) entry.name = LowerCase(entry.name);
    int existing = IndexOf(entry.name);
    if (existing >= 0) {
        // The same name in any case: the trie already holds it.
        m_list[static_cast<size_t>(existing)] = entry;
        return;
    }
    auto at = std::lower_bound(m_list.begin(), m_list.end(), LowerCase(entry.name), NameBefore);
    m_list.insert(at, entry);
    std::string reversed(entry.name.rbegin(), entry.name.rend());
    TKeywords::Add(reversed, TLP_CharGroup{}, TByteSet{0}, 0);
}

bool TMacroKeywords::Remove(const std::string& name) {
    int index = IndexOf(name);
    if (index < 0) return false;
    m_list.erase(m_list.begin() + index);
    RebuildTrie();
    return true;
}

void TMacroKeywords::Clear() {
    m_list.clear();
    RebuildTrie();
}

void TMacroKeywords::RebuildTrie() {
    Reset(false);
    for (const TMacroEntry& entry : m_list) {
        std::string reversed(entry.name.rbegin(), entry.name.rend());
        TKeywords::Add(reversed, TLP_CharGroup{}, TByteSet{0}, 0);
    }
}

std::optional<std::string> TMacroKeywords::Lookup(const std::string& name) const {
    std::string reversed(name.rbegin(), name.rend());
    if (Find(reversed) < 0) return std::nullopt;
    return m_list[static_cast<size_t>(IndexOf(name))].body;
}

int TMacroKeywords::MatchBefore(std::string_view textBeforeCaret, int& length) const {
    ReverseCursor cursor(textBeforeCaret);
    int entry = Match(cursor, TByteSet{0}, length);
    if (entry < 0) {
        length = 0;
        return -1;
    }
    const std::string& reversed = Entry(entry).word;
    return IndexOf(std::string(reversed.rbegin(), reversed.rend()));
}

void TMacroKeywords::WriteTo(TStream& stream) const {
    WriteInt32(stream, static_cast<int32_t>(m_list.size()));
    for (const TMacroEntry& entry : m_list) {
        WriteShortString(stream, entry.name);
        WriteShortString(stream, entry.description);
        WriteLongString(stream, entry.body);
    }
    WriteLongString(stream, ShortCutToText(m_hotKey));
    WriteInt32(stream, (m_enabled ? 1 : 0) & 0x7F);
}

void TMacroKeywords::ReadFrom(TStream& stream) {
    Clear();
    int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        std::string name = ReadShortString(stream);
        std::string description = ReadShortString(stream);
        Add(name, description, true, ReadLongString(stream));
    }
    m_hotKey = TextToShortCut(ReadLongString(stream));
    m_enabled = ReadInt32(stream) != 0;
}

void TMacroKeywords::Assign(const TMacroKeywords& source) {
    if (typeid(source) != typeid(*this))
        throw ELexipad(Format("Cannot assign %s to %s", source.ClassName(), ClassName()));
    if (&source == this) return;
    TMemoryStream memory;
    source.WriteTo(memory);
    memory.SetPosition(0);
    ReadFrom(memory);
    m_listOnNoMatch = source.m_listOnNoMatch;
    m_keepKey = source.m_keepKey;
}

} // namespace quarno
