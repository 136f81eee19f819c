// Editor commands, their key bindings and the default key table.
#include "core/settings/TKeyboardActionContoller.h"

#include "core/base/StringUtils.h"
#include "core/base/TStream.h"
#include "core/lexicon/ShortCuts.h"

#include <typeinfo>

namespace quarno {

void TKeyboardActionContoller::Describe(int32_t action, const std::string& description) {
    for (auto& entry : m_actions)
        if (entry.first == action) {
            entry.second = description;
            return;
        }
    m_actions.emplace_back(action, description);
}

std::string TKeyboardActionContoller::Description(int32_t action) const {
    for (const auto& entry : m_actions)
        if (entry.first == action) return entry.second;
    return "";
}

void TKeyboardActionContoller::Conflict(int32_t existing, int32_t action) const {
    throw EAmbigiousKeyPair("Duplicate key sequence definition for\r\n\"" + Description(existing) +
                            "\" and \"" + Description(action) + "\"");
}

int32_t TKeyboardActionContoller::FirstActionBelow(int node) const {
    for (int child = m_keys.FirstChild(node); child >= 0; child = m_keys.Node(child).sibling)
        if (m_keys.Node(child).endsBinding) return m_keys.Node(child).action;
    return -1;
}

void TKeyboardActionContoller::Bind(uint16_t first, uint16_t second, int32_t action) {
    if (first == 0) return;
    second = ShortCutKey(second);
    int top = m_keys.Find(-1, first);
    if (second == 0) {
        if (top >= 0 && m_keys.Node(top).endsBinding) Conflict(m_keys.Node(top).action, action);
        if (top >= 0 && m_keys.FirstChild(top) >= 0) Conflict(FirstActionBelow(top), action);
    } else if (top >= 0) {
        if (m_keys.Node(top).endsBinding) Conflict(m_keys.Node(top).action, action);
        int child = m_keys.Find(top, second);
        if (child >= 0 && m_keys.Node(child).endsBinding)
            Conflict(m_keys.Node(child).action, action);
    }
    // No conflict: only now may the tree grow.
    if (top < 0) top = m_keys.Append(-1, first);
    int node = top;
    if (second != 0) {
        node = m_keys.Find(top, second);
        if (node < 0) node = m_keys.Append(top, second);
    }
    m_keys.Node(node).endsBinding = true;
    m_keys.Node(node).action = action;
}

std::vector<TKeyPair> TKeyboardActionContoller::AllBindings() const {
    std::vector<TKeyPair> pairs;
    for (int top = m_keys.FirstChild(-1); top >= 0; top = m_keys.Node(top).sibling) {
        const TKeyNode& first = m_keys.Node(top);
        if (first.endsBinding) pairs.push_back({first.shortCut, 0, first.action});
        for (int child = first.child; child >= 0; child = m_keys.Node(child).sibling)
            if (m_keys.Node(child).endsBinding)
                pairs.push_back(
                    {first.shortCut, m_keys.Node(child).shortCut, m_keys.Node(child).action});
    }
    return pairs;
}

std::vector<TKeyPair> TKeyboardActionContoller::Bindings(int32_t action) const {
    std::vector<TKeyPair> pairs;
    for (const TKeyPair& pair : AllBindings())
        if (pair.action == action) pairs.push_back(pair);
    return pairs;
}

void TKeyboardActionContoller::Clear() {
    m_actions.clear();
    m_keys.Clear();
}

TKeyResult TKeyboardActionContoller::KeyEvent(TKeySequence& sequence, uint16_t shortCut) const {
    if (sequence.node >= 0 && !m_keys.IsValid(sequence.node)) sequence.node = -1;
    int node = sequence.node < 0 ? m_keys.Find(-1, shortCut)
                                 : m_keys.Find(sequence.node, ShortCutKey(shortCut));
    sequence.node = -1;
    if (node < 0) return {};
    const TKeyNode& found = m_keys.Node(node);
    if (found.endsBinding) return {true, found.action};
    if (found.child >= 0) {
        sequence.node = node;
        return {true, -1};
    }
    return {};
}

void TKeyboardActionContoller::SaveToStream(TStream& stream) const {
    WriteInt32(stream, static_cast<int32_t>(m_actions.size()));
    for (const auto& [action, description] : m_actions) {
        WriteInt32(stream, action);
        WriteShortString(stream, description);
    }
    std::vector<TKeyPair> pairs = AllBindings();
    WriteInt32(stream, static_cast<int32_t>(pairs.size()));
    for (const TKeyPair& pair : pairs) {
        WriteUInt16(stream, pair.first);
        WriteUInt16(stream, pair.second);
        WriteInt32(stream, pair.action);
    }
}

void TKeyboardActionContoller::LoadFromStream(TStream& stream) {
    Clear();
    int32_t count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        int32_t action = ReadInt32(stream);
        Describe(action, ReadShortString(stream));
    }
    count = ReadInt32(stream);
    for (int32_t i = 0; i < count; ++i) {
        uint16_t first = ReadUInt16(stream);
        uint16_t second = ReadUInt16(stream);
        Bind(first, second, ReadInt32(stream));
    }
}

void TKeyboardActionContoller::Assign(const TLP_Base& source) {
    if (typeid(source) != typeid(*this))
        throw ELexipad(Format("Cannot assign a %s to a %s", source.ClassName(), ClassName()));
    CopyFrom(source);
}

namespace {

TKeyboardActionContoller BuildDefaultKeyTable() {
    static const char* const descriptions[] = {"Cursor left",
                                               "Cursor right",
                                               "Line start",
                                               "Line end",
                                               "Up one line",
                                               "Down one line",
                                               "Up one page",
                                               "Down one page",
                                               "Move to word before",
                                               "Move to word after",
                                               "Document start",
                                               "Document end",
                                               "Cut to clipboard",
                                               "Copy to clipboard",
                                               "Paste from clipboard",
                                               "Delete character at cursor",
                                               "Delete character before caret",
                                               "Indent selected block",
                                               "Un-indent selected block",
                                               "Toggle insert/overwrite mode"};
    TKeyboardActionContoller table;
    for (int action = 0; action < 20; ++action)
        table.Describe(action, descriptions[action]);
    for (int n = 0; n < 10; ++n)
        table.Describe(20 + n, "Set Bookmark " + std::to_string(n));
    for (int n = 0; n < 10; ++n)
        table.Describe(30 + n, "Goto Bookmark " + std::to_string(n));
    static const char* const more[] = {"Delete current line",
                                       "Undo",
                                       "Redo",
                                       "Delete previous word",
                                       "Print selection",
                                       "Delete next word",
                                       "Scroll display up one line",
                                       "Scroll display down one line"};
    for (int k = 0; k < 8; ++k)
        table.Describe(40 + k, more[k]);

    const uint16_t ctrl = kScCtrl;
    const uint16_t ctrlK = ctrl | 'K';
    const uint16_t ctrlQ = ctrl | 'Q';
    const TKeyPair bindings[] = {
        {vk::Left, 0, 0},         {vk::Right, 0, 1},        {vk::Home, 0, 2},
        {vk::End, 0, 3},          {vk::Up, 0, 4},           {vk::Down, 0, 5},
        {vk::Prior, 0, 6},        {vk::Next, 0, 7},         {ctrl | vk::Left, 0, 8},
        {ctrl | vk::Right, 0, 9}, {ctrl | vk::Home, 0, 10}, {ctrl | vk::End, 0, 11},
        {ctrl | 'X', 0, 12},      {ctrl | 'C', 0, 13},      {ctrl | 'V', 0, 14},
        {vk::Delete, 0, 15},      {vk::Back, 0, 16},        {ctrlK, 'I', 17},
        {ctrlK, 'U', 18},         {vk::Insert, 0, 19},
    };
    for (const TKeyPair& pair : bindings)
        table.Bind(pair.first, pair.second, pair.action);
    for (int n = 0; n < 10; ++n)
        table.Bind(ctrlK, static_cast<uint16_t>('0' + n), 20 + n);
    for (int n = 0; n < 10; ++n)
        table.Bind(ctrlQ, static_cast<uint16_t>('0' + n), 30 + n);
    const TKeyPair rest[] = {
        {ctrl | 'Y', 0, 40},      {ctrl | 'Z', 0, 41},      {ctrl | kScShift | 'Z', 0, 42},
        {ctrl | vk::Back, 0, 43}, {ctrlK, 'P', 44},         {ctrl | vk::Delete, 0, 45},
        {ctrl | vk::Up, 0, 46},   {ctrl | vk::Down, 0, 47},
    };
    for (const TKeyPair& pair : rest)
        table.Bind(pair.first, pair.second, pair.action);
    return table;
}

} // namespace

const TKeyboardActionContoller& TKeyboardActionContoller::DefaultKeyTable() {
    static const TKeyboardActionContoller table = BuildDefaultKeyTable();
    return table;
}

} // namespace quarno
