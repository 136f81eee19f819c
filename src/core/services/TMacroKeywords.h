// Named text entries (code templates, automatic replacements) looked up from
// the text before the caret: the names are kept in a list sorted without
// regard to case, and reversed in a keyword trie (case-insensitive, every
// word valid in state 0 with an empty follow group), so that walking the text
// backwards from the caret finds the longest name that ends there.
#pragma once

#include "core/lexicon/TKeywords.h"

#include <optional>
#include <string>
#include <vector>

namespace quarno {

class TStream;

struct TMacroEntry {
    std::string name;
    std::string description;
    std::string body;
};

class TMacroKeywords : public TKeywords {
public:
    TMacroKeywords();
    virtual const char* ClassName() const { return "TMacroKeywords"; }

    // Replaces an entry of the same name (any case), or adds one. With
    // caseSensitive false the name is stored lower-cased. Names and
    // descriptions are cut to 255 characters; an empty name is ignored.
    void Add(const std::string& name, const std::string& description, bool caseSensitive,
             const std::string& body);
    // Removes the entry of that name (any case); false when there is none.
    bool Remove(const std::string& name);
    // Removes every entry; the hot key and the flags stay.
    void Clear();

    // The entries in list order (sorted by name without regard to case).
    const std::vector<TMacroEntry>& Entries() const { return m_list; }
    // The body of the entry of exactly that name, any case.
    std::optional<std::string> Lookup(const std::string& name) const;
    // The entry whose name ends the text, the longest one when several do
    // (an index into Entries(), -1 for none); length receives its length.
    int MatchBefore(std::string_view textBeforeCaret, int& length) const;

    uint16_t HotKey() const { return m_hotKey; }
    void SetHotKey(uint16_t shortCut) { m_hotKey = shortCut; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on) { m_enabled = on; }
    // Show the list of entries when the hot key finds no name (default on).
    bool ListOnNoMatch() const { return m_listOnNoMatch; }
    void SetListOnNoMatch(bool on) { m_listOnNoMatch = on; }
    // Insert the key that triggered a replacement after it (default off).
    bool KeepKey() const { return m_keepKey; }
    void SetKeepKey(bool on) { m_keepKey = on; }

    // Stream form: int32 count; count x {short string name; short string
    // description; long string body}; long string hot-key text ("Ctrl+J");
    // int32 enabled flag. Reading replaces every entry.
    virtual void WriteTo(TStream& stream) const;
    virtual void ReadFrom(TStream& stream);
    // Copies through the stream form; ELexipad "Cannot assign %s to %s" for
    // another class.
    void Assign(const TMacroKeywords& source);

private:
    void RebuildTrie();
    int IndexOf(const std::string& name) const;

    std::vector<TMacroEntry> m_list;
    uint16_t m_hotKey;
    bool m_enabled = true;
    bool m_listOnNoMatch = true;
    bool m_keepKey = false;
};

} // namespace quarno
