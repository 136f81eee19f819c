// The keyboard action controller: the editor commands (action code and
// description) and the key bindings that run them, one or two keys each.
#pragma once

#include "core/base/Exceptions.h"
#include "core/lexicon/TKeyStore.h"
#include "core/settings/TLP_Base.h"

#include <string>
#include <utility>
#include <vector>

namespace quarno {

// A binding that conflicts with an existing one.
class EAmbigiousKeyPair : public ELexipad {
public:
    using ELexipad::ELexipad;
};

// One binding: first shortcut, second key (0 for none), action code.
struct TKeyPair {
    uint16_t first = 0;
    uint16_t second = 0;
    int32_t action = -1;
    bool operator==(const TKeyPair&) const = default;
};

// Where a control stands in a two-key sequence; each control keeps its own.
struct TKeySequence {
    int node = -1; // the first key pressed, or -1 at the top level
};

// What one key event did: consumed tells the control to swallow the key;
// action is the code to run, or -1.
struct TKeyResult {
    bool consumed = false;
    int32_t action = -1;
};

class TKeyboardActionContoller : public TLP_Base {
public:
    static constexpr int kDefaultActionCount = 48;

    const char* ClassName() const override { return "TKeyboardActionContoller"; }

    // Registers an action or renames it.
    void Describe(int32_t action, const std::string& description);
    // The description of an action, "" for an unknown one.
    std::string Description(int32_t action) const;
    // The actions in the order they were registered.
    const std::vector<std::pair<int32_t, std::string>>& Actions() const { return m_actions; }

    // Binds first (with modifiers), then second (modifiers dropped; 0 for a
    // one-key binding) to action. EAmbigiousKeyPair when the sequence is
    // already bound, or one binding would be the prefix of another; the tree
    // is then unchanged. A first key of 0 binds nothing.
    void Bind(uint16_t first, uint16_t second, int32_t action);
    std::vector<TKeyPair> Bindings(int32_t action) const;
    // Every binding in tree order (the order of the stream form).
    std::vector<TKeyPair> AllBindings() const;
    // Removes every action and binding.
    void Clear();

    // One key event: at the top level the shortcut with its modifiers is
    // compared, inside a sequence only the key.
    TKeyResult KeyEvent(TKeySequence& sequence, uint16_t shortCut) const;

    // Stream form: int32 n; n x {int32 action; short string description};
    // int32 m; m x {uint16 first; uint16 second; int32 action}. Loading
    // replaces everything and stops with EAmbigiousKeyPair at a conflict.
    void SaveToStream(TStream& stream) const override;
    void LoadFromStream(TStream& stream) override;
    // ELexipad "Cannot assign a %s to a %s" for another class.
    void Assign(const TLP_Base& source) override;

    // The 48 editor commands and their default keys.
    static const TKeyboardActionContoller& DefaultKeyTable();

private:
    [[noreturn]] void Conflict(int32_t existing, int32_t action) const;
    int32_t FirstActionBelow(int node) const;

    std::vector<std::pair<int32_t, std::string>> m_actions;
    TKeyStore m_keys;
};

} // namespace quarno
