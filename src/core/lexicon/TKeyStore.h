// The key tree of a key controller: first keys of bindings are the top-level
// siblings; the second key of a two-key binding is a child of its first key,
// stored without modifiers. Nodes live in one vector and link by index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarno {

struct TKeyNode {
    uint16_t shortCut = 0;
    int32_t sibling = -1; // next node on the same level
    int32_t parent = -1;
    int32_t child = -1; // first child
    bool endsBinding = false;
    int32_t action = -1; // when endsBinding
};

class TKeyStore {
public:
    // The node under parent (-1 for the top level) with that shortcut, or -1.
    int Find(int parent, uint16_t shortCut) const;
    // Appends a node at the end of parent's children (or of the top level).
    int Append(int parent, uint16_t shortCut);
    // The first node under parent (-1 for the top level), or -1.
    int FirstChild(int parent) const;
    const TKeyNode& Node(int index) const { return m_nodes[static_cast<size_t>(index)]; }
    TKeyNode& Node(int index) { return m_nodes[static_cast<size_t>(index)]; }
    bool IsValid(int index) const {
        return index >= 0 && static_cast<size_t>(index) < m_nodes.size();
    }
    void Clear();

private:
    std::vector<TKeyNode> m_nodes;
    int32_t m_firstTop = -1;
};

} // namespace quarno
