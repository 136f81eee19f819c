// The rules of the key assignments page: the commands of a key controller
// sorted by description, each with a working list of its key pairs (loaded
// from the controller when the command is first chosen), adding, replacing
// and deleting pairs, their texts in the key list, and the controller built
// from them when the dialog's OK is pressed.
#pragma once

#include "core/settings/TKeyboardActionContoller.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarno {

class TKeyAssignments {
public:
    // The controller must outlive the model; it is read, never changed.
    explicit TKeyAssignments(const TKeyboardActionContoller& keys);

    int Count() const { return static_cast<int>(m_commands.size()); }
    const std::string& Description(int command) const { return At(command).description; }
    int32_t Action(int command) const { return At(command).action; }

    // A command is chosen: its pairs are loaded the first time.
    void Select(int command);
    // The pairs of a command (first key, second key or 0; action unused).
    const std::vector<TKeyPair>& Pairs(int command) const { return At(command).pairs; }
    // The key list's entries: "[Ctrl+K]  [I]", "[Ctrl+Y]  [<none>]".
    std::vector<std::string> KeyTexts(int command) const;
    static std::string KeyText(const TKeyPair& pair);
    // The inverse of KeyText (the action stays -1).
    static TKeyPair ParseKeyText(std::string_view text);
    // "Delete" and "Edit" need a pair to work on.
    bool HasPairs(int command) const { return !At(command).pairs.empty(); }

    // The second key is kept without modifiers, as the controller keeps it.
    void Add(int command, TKeyPair pair);
    // Replaces the first pair equal to old; false when there is none.
    bool Replace(int command, const TKeyPair& old, TKeyPair now);
    // Removes the first pair equal to pair.
    void Delete(int command, const TKeyPair& pair);
    // The key list is left: pairs without a first key go.
    void Leave(int command);

    // A new controller: every command in list order with its description,
    // then every pair of every command (commands never chosen keep the pairs
    // of the controller). EAmbigiousKeyPair when two pairs conflict.
    TKeyboardActionContoller Build() const;

private:
    struct TCommand {
        int32_t action = -1;
        std::string description;
        bool loaded = false;
        bool changed = false;
        std::vector<TKeyPair> pairs;
    };
    const TCommand& At(int command) const { return m_commands.at(static_cast<size_t>(command)); }
    TCommand& At(int command) { return m_commands.at(static_cast<size_t>(command)); }
    std::vector<TKeyPair> StoredPairs(int32_t action) const;

    const TKeyboardActionContoller& m_keys;
    std::vector<TCommand> m_commands;
};

} // namespace quarno
