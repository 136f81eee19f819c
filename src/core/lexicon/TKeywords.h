// A keyword trie. Words are added with the characters that may follow them,
// the states in which they count and a value; lookup walks the text from a
// cursor and answers the longest word valid in the current states and
// properly followed. Without regard to case, words are stored with A-Z
// lower-cased and the text is folded the same way.
#pragma once

#include "core/lexicon/TByteSet.h"
#include "core/lexicon/TLP_CharGroup.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

struct TKeywordEntry {
    std::string word;     // as stored (folded when the trie ignores case)
    TLP_CharGroup follow; // characters that may follow; an empty group allows any
    TByteSet states;      // states in which the word is a keyword
    int32_t value = 0;    // the token value, or what the owner makes of it
};

// A trie node: one character of one or more words.
struct TKeywordNode {
    uint8_t ch = 0;
    int32_t firstChild = -1; // children in ascending character order
    int32_t nextSibling = -1;
    int32_t firstWord = -1; // entries ending here, in the order added
    TByteSet states;        // union of the states of every word through here
};

class TKeywords {
public:
    explicit TKeywords(bool caseSensitive = false) : m_caseSensitive(caseSensitive) {
        FillFolds();
        Clear();
    }
    virtual ~TKeywords() = default;
    TKeywords(const TKeywords&) = default;
    TKeywords& operator=(const TKeywords&) = default;

    bool CaseSensitive() const { return m_caseSensitive; }
    // Empties the trie and sets how it compares.
    void Reset(bool caseSensitive);
    uint8_t Fold(uint8_t c) const { return m_fold[c]; }

    // Adds a word and returns its entry index. ELexipad "Duplicate keyword -
    // '%s'" when the same word is already there in overlapping states. An
    // empty word is ignored (-1).
    int Add(std::string_view word, const TLP_CharGroup& follow, const TByteSet& states,
            int32_t value);
    int Count() const { return static_cast<int>(m_entries.size()); }
    const TKeywordEntry& Entry(int index) const { return m_entries[static_cast<size_t>(index)]; }
    // The entry that ends at the same node after this one, or -1.
    int NextWordAtNode(int entry) const { return m_nextWord[static_cast<size_t>(entry)]; }

    // Trie navigation for a run time that walks by itself. Characters are
    // folded here; -1 means no node.
    int Root(uint8_t c) const { return m_roots[Fold(c)]; }
    int Child(int node, uint8_t c) const;
    const TKeywordNode& Node(int index) const { return m_nodes[static_cast<size_t>(index)]; }
    // Whether any word holds this character (folded): a walk never steps
    // onto a character that none does.
    bool Uses(uint8_t c) const { return m_used.Contains(Fold(c)); }
    // The entry for exactly this word (folded), or -1.
    int Find(std::string_view word) const;

    // Keyword lookup from the cursor. Cursor needs AtEnd(), CurrentChar(),
    // Advance(), Position() and SetPosition(). Answers the entry of the
    // longest word that is valid in states and followed by a character of its
    // follow group (or by the end of the text), with the cursor after it and
    // length set to its character count. Without one: the cursor one
    // character on, length 1, -1 (at the end of the text: length 0).
    // Case-sensitive tries also skip nodes whose words all lie outside states.
    template <typename Cursor> int Match(Cursor& cursor, const TByteSet& states, int& length) const;

protected:
    void Clear();

private:
    int NewNode(uint8_t ch);
    void AddEdge(int parent, uint8_t c, int child);
    static uint32_t EdgeKey(int node, uint8_t c) {
        return static_cast<uint32_t>(node) * 256u + c + 1u;
    }
    size_t EdgeSlot(uint32_t key) const { return (key * 2654435761u) >> (32 - m_edgeBits); }
    void FillFolds();

    bool m_caseSensitive;
    // Each character as the trie stores it: a lookup, not a comparison, on
    // every step of a walk.
    std::array<uint8_t, 256> m_fold;
    std::array<int32_t, 256> m_roots;
    TByteSet m_used;
    std::vector<TKeywordNode> m_nodes;
    std::vector<TKeywordEntry> m_entries;
    std::vector<int32_t> m_nextWord;
    // (parent node, folded character) -> child node, open addressing, so a
    // step down the trie does not walk a list of siblings. An entry holds the
    // edge key in its high half and the child in its low half; 0 is free.
    // Never empty, so a step down needs no test for a trie without edges.
    std::vector<uint64_t> m_edges;
    int m_edgeBits = 0;
    size_t m_edgeMask = 0;
    size_t m_edgeCount = 0;
};

// Inline: the keyword walk takes a step down the trie for every character of
// every word it tries.
inline int TKeywords::Child(int node, uint8_t c) const {
    const uint32_t key = EdgeKey(node, Fold(c));
    for (size_t slot = EdgeSlot(key);; slot = (slot + 1) & m_edgeMask) {
        uint64_t edge = m_edges[slot];
        if (edge == 0) return -1;
        if (static_cast<uint32_t>(edge >> 32) == key)
            return static_cast<int32_t>(edge & 0xFFFFFFFFu);
    }
}

template <typename Cursor>
int TKeywords::Match(Cursor& cursor, const TByteSet& states, int& length) const {
    length = 0;
    if (cursor.AtEnd()) return -1;
    auto start = cursor.Position();
    int node = Root(static_cast<uint8_t>(cursor.CurrentChar()));
    int best = -1;
    int bestLength = 0;
    auto bestPosition = start;
    int walked = 0;
    while (node >= 0 && (!m_caseSensitive || Node(node).states.Meets(states))) {
        cursor.Advance();
        ++walked;
        bool atEnd = cursor.AtEnd();
        uint8_t next = atEnd ? 0 : static_cast<uint8_t>(cursor.CurrentChar());
        for (int entry = Node(node).firstWord; entry >= 0; entry = NextWordAtNode(entry)) {
            const TKeywordEntry& word = Entry(entry);
            if (word.states.Meets(states) &&
                (atEnd || word.follow.IsEmpty() || word.follow.Contains(next))) {
                best = entry;
                bestLength = walked;
                bestPosition = cursor.Position();
                break;
            }
        }
        if (atEnd) break;
        node = Child(node, next);
    }
    if (best >= 0) {
        cursor.SetPosition(bestPosition);
        length = bestLength;
        return best;
    }
    cursor.SetPosition(start);
    cursor.Advance();
    length = 1;
    return -1;
}

} // namespace quarno
