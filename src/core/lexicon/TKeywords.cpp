// The keyword trie.
#include "core/lexicon/TKeywords.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"

#include <utility>

namespace quarno {

namespace {
// A small trie's edges fit the first table: 32 before it doubles.
constexpr int kFirstEdgeBits = 6;
} // namespace

void TKeywords::Reset(bool caseSensitive) {
    m_caseSensitive = caseSensitive;
    FillFolds();
    Clear();
}

void TKeywords::FillFolds() {
    for (int c = 0; c < 256; ++c)
        m_fold[static_cast<size_t>(c)] =
            static_cast<uint8_t>(!m_caseSensitive && c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

void TKeywords::Clear() {
    m_roots.fill(-1);
    m_used = TByteSet();
    m_nodes.clear();
    m_entries.clear();
    m_nextWord.clear();
    m_edgeBits = kFirstEdgeBits;
    m_edgeMask = (size_t{1} << m_edgeBits) - 1;
    m_edges.assign(m_edgeMask + 1, 0);
    m_edgeCount = 0;
}

void TKeywords::AddEdge(int parent, uint8_t c, int child) {
    if ((m_edgeCount + 1) * 2 > m_edges.size()) {
        std::vector<uint64_t> old = std::move(m_edges);
        ++m_edgeBits;
        m_edgeMask = (size_t{1} << m_edgeBits) - 1;
        m_edges.assign(m_edgeMask + 1, 0);
        m_edgeCount = 0;
        for (uint64_t edge : old) {
            if (edge == 0) continue;
            size_t slot = EdgeSlot(static_cast<uint32_t>(edge >> 32));
            while (m_edges[slot] != 0)
                slot = (slot + 1) & m_edgeMask;
            m_edges[slot] = edge;
            ++m_edgeCount;
        }
    }
    uint32_t key = EdgeKey(parent, c);
    size_t slot = EdgeSlot(key);
    while (m_edges[slot] != 0)
        slot = (slot + 1) & m_edgeMask;
    m_edges[slot] = (uint64_t{key} << 32) | static_cast<uint32_t>(child);
    ++m_edgeCount;
}

int TKeywords::NewNode(uint8_t ch) {
    TKeywordNode node;
    node.ch = ch;
    m_used.Include(ch);
    m_nodes.push_back(node);
    return static_cast<int>(m_nodes.size()) - 1;
}

int TKeywords::Find(std::string_view word) const {
    if (word.empty()) return -1;
    int node = Root(static_cast<uint8_t>(word[0]));
    for (size_t i = 1; node >= 0 && i < word.size(); ++i)
        node = Child(node, static_cast<uint8_t>(word[i]));
    return node >= 0 ? Node(node).firstWord : -1;
}

int TKeywords::Add(std::string_view word, const TLP_CharGroup& follow, const TByteSet& states,
                   int32_t value) {
    if (word.empty()) return -1;
    std::string stored(word);
    for (char& c : stored)
        c = static_cast<char>(Fold(static_cast<uint8_t>(c)));
    for (int entry = Find(stored); entry >= 0; entry = NextWordAtNode(entry))
        if (Entry(entry).states.Meets(states))
            throw ELexipad(Format("Duplicate keyword - '%s'", stored));

    auto first = static_cast<uint8_t>(stored[0]);
    if (m_roots[first] < 0) m_roots[first] = NewNode(first);
    int node = m_roots[first];
    m_nodes[static_cast<size_t>(node)].states = Node(node).states | states;
    for (size_t i = 1; i < stored.size(); ++i) {
        auto c = static_cast<uint8_t>(stored[i]);
        // Children stay in ascending order: find the sibling before c's place.
        int before = -1;
        int next = Node(node).firstChild;
        while (next >= 0 && Node(next).ch < c) {
            before = next;
            next = Node(next).nextSibling;
        }
        if (next < 0 || Node(next).ch != c) {
            int fresh = NewNode(c);
            m_nodes[static_cast<size_t>(fresh)].nextSibling = next;
            if (before < 0)
                m_nodes[static_cast<size_t>(node)].firstChild = fresh;
            else
                m_nodes[static_cast<size_t>(before)].nextSibling = fresh;
            AddEdge(node, c, fresh);
            next = fresh;
        }
        node = next;
        m_nodes[static_cast<size_t>(node)].states = Node(node).states | states;
    }

    auto index = static_cast<int32_t>(m_entries.size());
    m_entries.push_back({stored, follow, states, value});
    m_nextWord.push_back(-1);
    int32_t* tail = &m_nodes[static_cast<size_t>(node)].firstWord;
    while (*tail >= 0)
        tail = &m_nextWord[static_cast<size_t>(*tail)];
    *tail = index;
    return index;
}

} // namespace quarno
