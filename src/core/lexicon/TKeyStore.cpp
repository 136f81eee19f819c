// The key tree of a key controller.
#include "core/lexicon/TKeyStore.h"

namespace quarno {

int TKeyStore::FirstChild(int parent) const {
    return parent < 0 ? m_firstTop : (IsValid(parent) ? Node(parent).child : -1);
}

int TKeyStore::Find(int parent, uint16_t shortCut) const {
    for (int node = FirstChild(parent); node >= 0; node = Node(node).sibling)
        if (Node(node).shortCut == shortCut) return node;
    return -1;
}

int TKeyStore::Append(int parent, uint16_t shortCut) {
    auto index = static_cast<int32_t>(m_nodes.size());
    TKeyNode node;
    node.shortCut = shortCut;
    node.parent = parent;
    m_nodes.push_back(node);
    int32_t* link = parent < 0 ? &m_firstTop : &Node(parent).child;
    while (*link >= 0)
        link = &Node(*link).sibling;
    *link = index;
    return index;
}

void TKeyStore::Clear() {
    m_nodes.clear();
    m_firstTop = -1;
}

} // namespace quarno
