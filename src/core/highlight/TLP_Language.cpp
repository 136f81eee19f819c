// The tables of a compiled language and the inner parser stream.
#include "core/highlight/TLP_Language.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TStream.h"

namespace quarno {

namespace {

int32_t ReadTableCount(TStream& stream) {
    int32_t count = ReadInt32(stream);
    if (count < 0 || count > 256) throw ELexipad(Format("Invalid table size (%d)", count));
    return count;
}

} // namespace

TLP_Language::TLP_Language() {
    Reset();
}

void TLP_Language::Reset() {
    m_settings.Reset();
    m_keywords.Reset(false);
    m_groups.Clear();
    m_groups.Add(TLP_CharGroup{});
    for (auto& slot : m_handlers)
        slot.reset();
    for (auto& slot : m_tokenStarts)
        slot.reset();
    for (auto& slot : m_effects)
        slot.reset();
    for (auto& table : m_stateTables)
        table.reset();
    m_statesWithTables = TByteSet{};
    m_anchors = TByteSet{0};
    m_boundStates = TByteSet{};
    m_startStates = TByteSet{0};
    m_contextStates.fill(m_startStates);
    m_customHandlers = false;
}

const TLP_TokenRule* TLP_Language::StateTokenStart(uint8_t state, uint8_t c) const {
    const auto& table = m_stateTables[state];
    return table ? Get((*table)[c]) : nullptr;
}

void TLP_Language::AddStateTable(uint8_t state) {
    if (!m_stateTables[state]) m_stateTables[state] = std::make_unique<RuleTable>();
    m_statesWithTables.Include(state);
}

void TLP_Language::SetStateTokenStart(uint8_t state, uint8_t c, const TLP_TokenRule& rule) {
    AddStateTable(state);
    (*m_stateTables[state])[c] = rule;
}

int TLP_Language::HandlerCount() const {
    int count = 0;
    for (const auto& slot : m_handlers)
        count += slot.has_value();
    return count;
}

int TLP_Language::TokenStartCount() const {
    int count = 0;
    for (const auto& slot : m_tokenStarts)
        count += slot.has_value();
    return count;
}

int TLP_Language::ContextStateCount() const {
    int count = 0;
    for (const TByteSet& states : m_contextStates)
        count += states != m_startStates;
    return count;
}

int TLP_Language::EffectCount() const {
    int count = 0;
    for (const auto& slot : m_effects)
        count += slot.has_value();
    return count;
}

void TLP_Language::WriteInner(TStream& stream) const {
    m_settings.WriteTo(stream, TLP_Settings::kStreamVersion);
    m_keywords.WriteTo(stream);
    WriteInt32(stream, HandlerCount());
    for (int token = 0; token < 256; ++token) {
        if (!m_handlers[token]) continue;
        WriteByte(stream, static_cast<uint8_t>(token));
        m_handlers[token]->continuation.WriteTo(stream, m_groups);
        m_handlers[token]->terminator.WriteTo(stream, m_groups);
    }
    WriteInt32(stream, TokenStartCount());
    for (int c = 0; c < 256; ++c) {
        if (!m_tokenStarts[c]) continue;
        WriteByte(stream, static_cast<uint8_t>(c));
        m_tokenStarts[c]->WriteTo(stream, m_groups);
    }
    WriteInt32(stream, ContextStateCount());
    for (int token = 0; token < 256; ++token) {
        if (m_contextStates[token] == m_startStates) continue;
        WriteByte(stream, static_cast<uint8_t>(token));
        m_contextStates[token].WriteTo(stream);
    }
    WriteInt32(stream, EffectCount());
    for (int token = 0; token < 256; ++token) {
        if (!m_effects[token]) continue;
        WriteByte(stream, static_cast<uint8_t>(token));
        m_effects[token]->WriteTo(stream);
    }
    WriteStateTables(stream);
    m_anchors.WriteTo(stream);
    m_boundStates.WriteTo(stream);
    m_startStates.WriteTo(stream);
    WriteByte(stream, m_customHandlers ? 1 : 0);
}

// Each state with a table, each rule followed by the state's range list,
// which is always empty.
void TLP_Language::WriteStateTables(TStream& stream) const {
    WriteInt32(stream, StateTableCount());
    for (int state = 0; state < 256; ++state) {
        if (!m_statesWithTables.Contains(static_cast<uint8_t>(state))) continue;
        const RuleTable& table = *m_stateTables[state];
        int32_t rules = 0;
        for (const auto& slot : table)
            rules += slot.has_value();
        WriteByte(stream, static_cast<uint8_t>(state));
        WriteInt32(stream, rules);
        for (int c = 0; c < 256; ++c) {
            if (!table[c]) continue;
            WriteByte(stream, static_cast<uint8_t>(c));
            table[c]->WriteTo(stream, m_groups);
            WriteInt32(stream, 0);
        }
    }
}

void TLP_Language::ReadInner(TStream& stream, uint16_t version) {
    Reset();
    m_settings.ReadFrom(stream, version);
    m_keywords.ReadFrom(stream);
    ReadTables(stream);
}

void TLP_Language::ReadTables(TStream& stream) {
    for (int32_t count = ReadTableCount(stream); count > 0; --count) {
        uint8_t token = ReadByte(stream);
        TLP_HandlerRecord record;
        record.continuation = TLP_MatchPart::ReadFrom(stream, m_groups);
        record.terminator = TLP_Terminator::ReadFrom(stream, m_groups);
        record.continuation.Validate();
        record.terminator.Validate();
        m_handlers[token] = record;
    }
    for (int32_t count = ReadTableCount(stream); count > 0; --count) {
        uint8_t c = ReadByte(stream);
        TLP_TokenRule rule = TLP_TokenRule::ReadFrom(stream, m_groups);
        rule.Validate();
        m_tokenStarts[c] = rule;
    }
    TByteSet hasContext;
    for (int32_t count = ReadTableCount(stream); count > 0; --count) {
        uint8_t token = ReadByte(stream);
        m_contextStates[token] = TByteSet::ReadFrom(stream);
        hasContext.Include(token);
    }
    for (int32_t count = ReadTableCount(stream); count > 0; --count) {
        uint8_t token = ReadByte(stream);
        m_effects[token] = TLP_Effect::ReadFrom(stream);
    }
    ReadStateTables(stream);
    m_anchors = TByteSet::ReadFrom(stream);
    m_boundStates = TByteSet::ReadFrom(stream);
    m_startStates = TByteSet::ReadFrom(stream);
    m_customHandlers = ReadByte(stream) != 0;
    for (int token = 0; token < 256; ++token)
        if (!hasContext.Contains(static_cast<uint8_t>(token)))
            m_contextStates[token] = m_startStates;
}

void TLP_Language::ReadStateTables(TStream& stream) {
    for (int32_t states = ReadTableCount(stream); states > 0; --states) {
        uint8_t state = ReadByte(stream);
        AddStateTable(state);
        for (int32_t rules = ReadTableCount(stream); rules > 0; --rules) {
            uint8_t c = ReadByte(stream);
            TLP_TokenRule rule = TLP_TokenRule::ReadFrom(stream, m_groups);
            rule.Validate();
            (*m_stateTables[state])[c] = rule;
            int32_t ranges = ReadInt32(stream);
            if (ranges != 0) throw ELexipad(Format("Invalid range list (%d)", ranges));
        }
    }
}

} // namespace quarno
