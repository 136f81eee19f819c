// A compiled language: every table the parser run time consults, plus the
// language settings the editor applies, with the inner parser stream that
// carries them inside a compiled parser block.
//
// How the run time uses the tables (token values, states and characters are
// all 0..255):
// - Keywords(): tried first at every token start. A word's entry value is its
//   token value; its follow group and state set decide whether it counts.
// - Handler(token): for a token a keyword produced, how the token goes on
//   (continuation part, terminator).
// - TokenStart(c) / StateTokenStart(state, c): the rule for a token starting
//   with character c. With no state tables, TokenStart serves every state;
//   otherwise the table of the lowest state in (current states ∩
//   StatesWithTables()), or TokenStart when that is empty.
// - ContextStates(token): the state set to restart scanning with at a
//   character of that token (an empty set means StartStates()).
// - Effect(token): how the token changes the state set and stack, and
//   whether it opens a container.
// - Anchors(): tokens at which rescanning may restart; BoundStates(): states
//   that force rescanning into the next line; StartStates(): the state set
//   at the start of a text; CustomHandlers(): some rule names a handler
//   resolved through OnCustomParse.
// Every group index in a record is valid in Groups(); index 0 is the empty
// group, used by parts that match no characters.
#pragma once

#include "core/highlight/TLP_CharGroupManager.h"
#include "core/highlight/TLP_Effect.h"
#include "core/highlight/TLP_HandlerRecord.h"
#include "core/highlight/TLP_TokenRule.h"
#include "core/highlight/TSyntaxKeywords.h"
#include "core/settings/TLP_Settings.h"

#include <array>
#include <memory>
#include <optional>

namespace quarno {

class TStream;

class TLP_Language {
public:
    TLP_Language();
    // Large tables, copied only through the stream form.
    TLP_Language(const TLP_Language&) = delete;
    TLP_Language& operator=(const TLP_Language&) = delete;

    // An empty language: no keywords, rules, handlers, effects or state
    // tables; the group pool holding only the empty group; start and anchor
    // sets {0}; no bound states; default settings.
    void Reset();

    TLP_Settings& Settings() { return m_settings; }
    const TLP_Settings& Settings() const { return m_settings; }
    TSyntaxKeywords& Keywords() { return m_keywords; }
    const TSyntaxKeywords& Keywords() const { return m_keywords; }
    TLP_CharGroupManager& Groups() { return m_groups; }
    const TLP_CharGroupManager& Groups() const { return m_groups; }

    const TLP_HandlerRecord* Handler(uint8_t token) const { return Get(m_handlers[token]); }
    void SetHandler(uint8_t token, const TLP_HandlerRecord& record) { m_handlers[token] = record; }
    const TLP_TokenRule* TokenStart(uint8_t c) const { return Get(m_tokenStarts[c]); }
    void SetTokenStart(uint8_t c, const TLP_TokenRule& rule) { m_tokenStarts[c] = rule; }
    const TByteSet& ContextStates(uint8_t token) const { return m_contextStates[token]; }
    void SetContextStates(uint8_t token, const TByteSet& states) {
        m_contextStates[token] = states;
    }
    const TLP_Effect* Effect(uint8_t token) const { return Get(m_effects[token]); }
    void SetEffect(uint8_t token, const TLP_Effect& effect) { m_effects[token] = effect; }

    // State token tables: the states that have one, and their rules.
    const TByteSet& StatesWithTables() const { return m_statesWithTables; }
    const TLP_TokenRule* StateTokenStart(uint8_t state, uint8_t c) const;
    // Gives the state a table (possibly empty) and sets a rule in it.
    void SetStateTokenStart(uint8_t state, uint8_t c, const TLP_TokenRule& rule);
    void AddStateTable(uint8_t state);

    const TByteSet& Anchors() const { return m_anchors; }
    void SetAnchors(const TByteSet& tokens) { m_anchors = tokens; }
    const TByteSet& BoundStates() const { return m_boundStates; }
    void SetBoundStates(const TByteSet& states) { m_boundStates = states; }
    const TByteSet& StartStates() const { return m_startStates; }
    void SetStartStates(const TByteSet& states) { m_startStates = states; }
    bool CustomHandlers() const { return m_customHandlers; }
    void SetCustomHandlers(bool on) { m_customHandlers = on; }

    // Entry counts of the stream's tables.
    int HandlerCount() const;
    int TokenStartCount() const;
    int ContextStateCount() const; // tokens whose set differs from StartStates()
    int EffectCount() const;
    int StateTableCount() const { return m_statesWithTables.Count(); }

    // The inner parser stream; the settings are written with version 51.
    void WriteInner(TStream& stream) const;
    // Resets, then reads the inner stream of a block of that version.
    // ELexipad for data no writer produces (counts beyond 256, handler numbers
    // without a routine, character ranges, terminators longer than 4).
    void ReadInner(TStream& stream, uint16_t version);

private:
    using RuleTable = std::array<std::optional<TLP_TokenRule>, 256>;
    template <typename T> static const T* Get(const std::optional<T>& slot) {
        return slot ? &*slot : nullptr;
    }
    void ReadTables(TStream& stream);
    void ReadStateTables(TStream& stream);
    void WriteStateTables(TStream& stream) const;

    TLP_Settings m_settings;
    TSyntaxKeywords m_keywords;
    TLP_CharGroupManager m_groups;
    std::array<std::optional<TLP_HandlerRecord>, 256> m_handlers;
    RuleTable m_tokenStarts;
    std::array<TByteSet, 256> m_contextStates;
    std::array<std::optional<TLP_Effect>, 256> m_effects;
    std::array<std::unique_ptr<RuleTable>, 256> m_stateTables;
    TByteSet m_statesWithTables;
    TByteSet m_anchors;
    TByteSet m_boundStates;
    TByteSet m_startStates;
    bool m_customHandlers = false;
};

} // namespace quarno
