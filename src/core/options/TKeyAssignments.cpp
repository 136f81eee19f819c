// The rules of the key assignments page.
#include "core/options/TKeyAssignments.h"

#include "core/base/StringUtils.h"
#include "core/lexicon/ShortCuts.h"

#include <algorithm>

namespace quarno {

namespace {

constexpr const char* kNone = "<none>";

TKeyPair Normalised(TKeyPair pair) {
    pair.second = ShortCutKey(pair.second);
    pair.action = -1;
    return pair;
}

} // namespace

TKeyAssignments::TKeyAssignments(const TKeyboardActionContoller& keys) : m_keys(keys) {
    for (const auto& [action, description] : keys.Actions())
        m_commands.push_back({action, description, false, false, {}});
    std::stable_sort(m_commands.begin(), m_commands.end(),
                     [](const TCommand& a, const TCommand& b) {
                         return LowerCase(a.description) < LowerCase(b.description);
                     });
}

std::vector<TKeyPair> TKeyAssignments::StoredPairs(int32_t action) const {
    std::vector<TKeyPair> pairs;
    for (const TKeyPair& pair : m_keys.Bindings(action))
        pairs.push_back(Normalised(pair));
    return pairs;
}

void TKeyAssignments::Select(int command) {
    TCommand& entry = At(command);
    if (entry.loaded || entry.changed) return;
    entry.pairs = StoredPairs(entry.action);
    entry.loaded = true;
}

std::vector<std::string> TKeyAssignments::KeyTexts(int command) const {
    std::vector<std::string> texts;
    for (const TKeyPair& pair : At(command).pairs)
        texts.push_back(KeyText(pair));
    return texts;
}

std::string TKeyAssignments::KeyText(const TKeyPair& pair) {
    std::string second = pair.second ? ShortCutToText(pair.second) : kNone;
    return "[" + ShortCutToText(pair.first) + "]  [" + second + "]";
}

TKeyPair TKeyAssignments::ParseKeyText(std::string_view text) {
    // "[" first "]  [" second "]"; a key's own name may be "[" or "]".
    TKeyPair pair;
    size_t middle = text.rfind("]  [");
    if (text.size() < 2 || text.front() != '[' || text.back() != ']' ||
        middle == std::string_view::npos)
        return pair;
    pair.first = TextToShortCut(text.substr(1, middle - 1));
    std::string_view second = text.substr(middle + 4, text.size() - middle - 5);
    pair.second = second == kNone ? 0 : TextToShortCut(second);
    return pair;
}

void TKeyAssignments::Add(int command, TKeyPair pair) {
    TCommand& entry = At(command);
    Select(command);
    entry.pairs.push_back(Normalised(pair));
    entry.changed = true;
}

bool TKeyAssignments::Replace(int command, const TKeyPair& old, TKeyPair now) {
    TCommand& entry = At(command);
    auto found = std::find(entry.pairs.begin(), entry.pairs.end(), Normalised(old));
    if (found == entry.pairs.end()) return false;
    *found = Normalised(now);
    entry.changed = true;
    return true;
}

void TKeyAssignments::Delete(int command, const TKeyPair& pair) {
    TCommand& entry = At(command);
    auto found = std::find(entry.pairs.begin(), entry.pairs.end(), Normalised(pair));
    if (found == entry.pairs.end()) return;
    entry.pairs.erase(found);
    entry.changed = true;
}

void TKeyAssignments::Leave(int command) {
    std::vector<TKeyPair>& pairs = At(command).pairs;
    std::erase_if(pairs, [](const TKeyPair& pair) { return pair.first == 0; });
}

TKeyboardActionContoller TKeyAssignments::Build() const {
    TKeyboardActionContoller built;
    for (const TCommand& command : m_commands)
        built.Describe(command.action, command.description);
    for (const TCommand& command : m_commands) {
        bool stored = !command.loaded && !command.changed;
        for (const TKeyPair& pair : stored ? StoredPairs(command.action) : command.pairs)
            built.Bind(pair.first, pair.second, command.action);
    }
    return built;
}

} // namespace quarno
