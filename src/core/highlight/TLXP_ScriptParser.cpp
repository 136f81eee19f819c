// The section grammar of parser scripts.
#include "core/highlight/TLXP_ScriptParser.h"

#include "core/base/StringUtils.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TLP_Language.h"
#include "core/lexicon/CharSpecifiers.h"
#include "core/lexicon/ShortCuts.h"

#include <optional>

namespace quarno {

namespace {

using T = TScriptToken;

bool IsSectionHead(TScriptToken token) {
    switch (token) {
    case T::Language:
    case T::Words:
    case T::Handlers:
    case T::Tokens:
    case T::Map:
    case T::Effects:
    case T::States:
    case T::Containers:
    case T::Keys:
    case T::AutoReplace:
    case T::Templates:
    case T::KwTables: return true;
    default: return false;
    }
}

// The characters a token built on a built-in handler starts with.
TByteSet HandlerStartCharacters(int32_t handler) {
    TByteSet digits = TByteSet::Range('0', '9');
    TByteSet letters = TByteSet::Range('A', 'Z') | TByteSet::Range('a', 'z');
    switch (handler) {
    case 10: return letters | TByteSet{'_'};
    case 11: return digits | TByteSet{'.'};
    case 12:
    case 14:
    case 20: return TByteSet{'\''};
    case 13:
    case 18: return TByteSet{'"'};
    case 15: return digits | TByteSet{'+', '-', '.'};
    case 16: return digits;
    case 17: return digits | letters;
    case 19: return TByteSet{'/'};
    default: return TByteSet{};
    }
}

TByteSet Members(const TLP_CharGroup& group) {
    TByteSet members;
    for (int c = 0; c < 256; ++c)
        if (group.Contains(static_cast<uint8_t>(c))) members.Include(static_cast<uint8_t>(c));
    return members;
}

} // namespace

TLXP_ScriptParser::TLXP_ScriptParser(TLP_Language& language, TLXP_Compiler& compiler)
    : m_language(language), m_compiler(compiler) {}

// Runs an action of the language's containers, turning their ELexipad into a
// script error at the current position.
template <typename Action> void TLXP_ScriptParser::Guarded(Action action) {
    try {
        action();
    } catch (const ELXP_COMP_ERROR&) {
        throw;
    } catch (const ELexipad& error) {
        m_compiler.Error(error.what());
    }
}

void TLXP_ScriptParser::Run() {
    m_label = "Header";
    for (TScriptToken token = m_compiler.Next(); token != T::Eof; token = m_compiler.Next()) {
        switch (token) {
        case T::Language: LanguageSection(); break;
        case T::Words: WordsSection(); break;
        case T::Handlers: HandlersSection(); break;
        case T::Tokens: TokensSection(); break;
        case T::Map: MapSection(); break;
        case T::Effects: EffectsSection(); break;
        case T::States: StatesSection(false); break;
        case T::Containers: StatesSection(true); break;
        case T::Keys: KeysSection(); break;
        case T::AutoReplace: AutoReplaceSection(); break;
        case T::Templates: TemplatesSection(); break;
        case T::KwTables: KwTablesSection(); break;
        default: m_compiler.Error("Script syntax error");
        }
    }
    for (int token = 0; token < 256; ++token)
        if (!m_contextGiven.Contains(static_cast<uint8_t>(token)))
            m_language.SetContextStates(static_cast<uint8_t>(token), m_language.StartStates());
}

// ---- grammar helpers ----

void TLXP_ScriptParser::Expect(TScriptToken token, const char* message) {
    TScriptToken got = m_compiler.Next();
    if (got == token) return;
    m_compiler.Error(got == T::Eof ? "Unexpected EOF" : message);
}

std::string TLXP_ScriptParser::StringRaw() {
    Expect(T::String, "String value expected");
    return m_compiler.StringRaw();
}

std::string TLXP_ScriptParser::StringValue() {
    Expect(T::String, "String value expected");
    return m_compiler.StringValue();
}

int32_t TLXP_ScriptParser::Term() {
    TScriptToken token = m_compiler.Next();
    if (token == T::Number) return m_compiler.Number();
    if (token == T::LParen) {
        // Each parenthesis is a level of recursion: a bound keeps a hostile
        // script from exhausting the stack.
        if (m_depth >= kMaxExpressionDepth)
            m_compiler.Error(Format("Expression nested too deeply (more than %d parentheses)",
                                    kMaxExpressionDepth));
        ++m_depth;
        int32_t value = Expression();
        --m_depth;
        Expect(T::RParen, "')' expected");
        return value;
    }
    m_compiler.Error(token == T::Eof ? "Unexpected EOF" : "Expression expected");
}

int32_t TLXP_ScriptParser::Expression() {
    return ExpressionFrom(Term());
}

// Terms joined by '+', '-' and 'or', left to right (32-bit wrap-around).
int32_t TLXP_ScriptParser::ExpressionFrom(int32_t first) {
    auto value = static_cast<uint32_t>(first);
    for (;;) {
        TScriptToken op = m_compiler.Next();
        if (op == T::Plus)
            value += static_cast<uint32_t>(Term());
        else if (op == T::Minus)
            value -= static_cast<uint32_t>(Term());
        else if (op == T::Or)
            value |= static_cast<uint32_t>(Term());
        else {
            m_compiler.Unget();
            return static_cast<int32_t>(value);
        }
    }
}

int32_t TLXP_ScriptParser::Value(int32_t lo, int32_t hi) {
    int32_t value = Expression();
    if (value < lo || value > hi)
        m_compiler.Error(Format("Range error, value outwith %d .. %d", lo, hi));
    return value;
}

TByteSet TLXP_ScriptParser::StateList() {
    Expect(T::LBracket, "'[' expected");
    TByteSet states;
    for (;;) {
        TScriptToken next = m_compiler.Peek();
        if (next == T::RBracket) {
            m_compiler.Next();
            return states;
        }
        if (next == T::Eof) Expect(T::RBracket, "']' expected");
        states.Include(static_cast<uint8_t>(Value(0, 255)));
        if (m_compiler.Peek() == T::Comma) m_compiler.Next();
    }
}

TByteSet TLXP_ScriptParser::ValueOrList() {
    if (m_compiler.Peek() == T::LBracket) return StateList();
    return TByteSet{static_cast<uint8_t>(Value(0, 255))};
}

TByteSet TLXP_ScriptParser::TermOrList() {
    if (m_compiler.Peek() == T::LBracket) return StateList();
    int32_t value = Term();
    if (value < 0 || value > 255) m_compiler.Error("Range error, value outwith 0 .. 255");
    return TByteSet{static_cast<uint8_t>(value)};
}

uint8_t TLXP_ScriptParser::FontStyleBits() {
    Expect(T::LBracket, "'[' expected");
    uint8_t bits = 0;
    for (;;) {
        TScriptToken next = m_compiler.Peek();
        if (next == T::RBracket) {
            m_compiler.Next();
            return bits;
        }
        if (next != T::Number && next != T::LParen) {
            m_compiler.Next();
            m_compiler.Error(next == T::Eof ? "Unexpected EOF" : "Bad font style specifier");
        }
        int32_t bit = Expression();
        if (bit < 0 || bit > 3) m_compiler.Error("Bad font style specifier");
        bits = static_cast<uint8_t>(bits | (1 << bit));
        if (m_compiler.Peek() == T::Comma) m_compiler.Next();
    }
}

TLP_CharGroup TLXP_ScriptParser::OneSpecifier(const std::string& raw) {
    std::vector<TLP_CharGroup> groups;
    Guarded([&] { groups = ParseCharSpecifiers(raw); });
    if (groups.size() != 1) m_compiler.Error("Single character specifier expected");
    return groups.front();
}

// A key: an expression, or a string of one character (upper-cased).
uint16_t TLXP_ScriptParser::KeyValue() {
    TScriptToken next = m_compiler.Peek();
    if (next == T::String) {
        std::string text = StringValue();
        if (text.size() != 1) m_compiler.Error("Key specification required");
        return static_cast<uint8_t>(ToUpperAscii(text[0]));
    }
    if (next != T::Number && next != T::LParen) {
        m_compiler.Next();
        m_compiler.Error(next == T::Eof ? "Unexpected EOF" : "Key specification required");
    }
    return static_cast<uint16_t>(ShortCutKey(static_cast<uint16_t>(Expression())));
}

// An optional "[ shift, ctrl, alt ]" as TShiftBits.
uint16_t TLXP_ScriptParser::Modifiers() {
    if (m_compiler.Peek() != T::LBracket) return 0;
    m_compiler.Next();
    uint8_t shift = 0;
    for (;;) {
        TScriptToken token = m_compiler.Next();
        if (token == T::Shift)
            shift |= kShiftKey;
        else if (token == T::Ctrl)
            shift |= kCtrlKey;
        else if (token == T::Alt)
            shift |= kAltKey;
        else if (token == T::RBracket)
            return shift;
        else if (token != T::Comma)
            m_compiler.Error(token == T::Eof ? "Unexpected EOF" : "']' expected");
    }
}

// "( number )" after 'match'.
int32_t TLXP_ScriptParser::MatchNumber() {
    Expect(T::LParen, "'(' expected");
    int32_t number = Expression();
    Expect(T::RParen, "')' expected");
    m_language.SetCustomHandlers(true);
    return number;
}

int32_t TLXP_ScriptParser::BuiltInHandler() {
    int32_t number = Expression();
    if (!IsBuiltInHandler(number)) m_compiler.Error("Numeric value out of range");
    return number;
}

bool TLXP_ScriptParser::AtSectionEnd() {
    TScriptToken next = m_compiler.Peek();
    return next == T::Eof || IsSectionHead(next);
}

void TLXP_ScriptParser::SetCase(bool caseSensitive) {
    m_caseSensitive = caseSensitive;
    TSyntaxKeywords& keywords = m_language.Keywords();
    if (keywords.CaseSensitive() == caseSensitive) return;
    std::vector<TKeywordEntry> entries;
    for (int i = 0; i < keywords.Count(); ++i)
        entries.push_back(keywords.Entry(i));
    keywords.Reset(caseSensitive);
    Guarded([&] {
        for (const TKeywordEntry& entry : entries)
            keywords.Add(entry.word, entry.follow, entry.states, entry.value);
    });
}

// ---- %%language ----

void TLXP_ScriptParser::LanguageSection() {
    m_label = "%%Language";
    while (!AtSectionEnd()) {
        TScriptToken key = m_compiler.Next();
        if (key < T::Name || key > T::GutterFontStyle)
            m_compiler.Error("Unknown script identifier");
        Expect(T::Equals, "'=' expected");
        LanguageKey(key);
    }
}

// A value the settings refuse (out of its bounds) is a script error at the key.
void TLXP_ScriptParser::LanguageKey(TScriptToken key) {
    Guarded([&] { LanguageValue(key); });
}

void TLXP_ScriptParser::LanguageValue(TScriptToken key) {
    TLP_Settings& settings = m_language.Settings();
    switch (key) {
    case T::Name: settings.SetLanguageName(StringValue()); break;
    case T::Case: SetCase(Expression() != 0); break;
    case T::Options: settings.SetOptions(Expression()); break;
    case T::ExampleText: settings.SetExampleText(StringValue()); break;
    case T::EditableStyles: EditableStyles(); break;
    case T::WordWrapColumn: settings.SetWrapColumn(Expression()); break;
    case T::Gutter: settings.SetGutter(Expression()); break;
    case T::Anchor: m_language.SetAnchors(ValueOrList()); break;
    case T::StartState: m_language.SetStartStates(ValueOrList()); break;
    case T::ContextStates: ContextStates(); break;
    case T::IndentStep: settings.SetIndentStep(Value(0, 20)); break;
    case T::WrapOverride: settings.SetWrapOverride(StringValue().substr(0, 35)); break;
    case T::RightMargin: settings.SetRightMargin(Expression()); break;
    case T::MarginWidth: settings.SetMargin(Expression()); break;
    case T::FontName: settings.SetFontName(StringValue()); break;
    case T::FontSize: settings.SetFontSize(Expression()); break;
    case T::FontCharset: settings.SetFontCharset(static_cast<uint8_t>(Value(0, 255))); break;
    case T::TabColumns: settings.SetTabColumns(StringValue()); break;
    case T::TabDefault: settings.SetTabDefault(Expression()); break;
    case T::BoundStates: m_language.SetBoundStates(ValueOrList()); break;
    case T::SelTextColor:
    case T::SelTextBack:
    case T::GutterColor:
    case T::MarginColor: ColourKey(key); break;
    case T::GutterFontName:
    case T::GutterFontSize:
    case T::GutterFontColor:
    case T::GutterFontStyle: {
        TLP_FontSpec font = settings.GutterFont();
        if (key == T::GutterFontName)
            font.name = StringValue();
        else if (key == T::GutterFontSize)
            font.size = Expression();
        else if (key == T::GutterFontColor)
            font.color = Expression();
        else
            font.style = FontStyleBits();
        settings.SetGutterFont(font);
        break;
    }
    default: break;
    }
}

// A colour with an optional "(*)" before it.
void TLXP_ScriptParser::ColourKey(TScriptToken key) {
    uint8_t flag = 0;
    int32_t colour = 0;
    if (m_compiler.Peek() == T::LParen) {
        m_compiler.Next();
        if (m_compiler.Peek() == T::Star) {
            m_compiler.Next();
            Expect(T::RParen, "')' expected");
            flag = 1;
            colour = Expression();
        } else {
            ++m_depth; // the parenthesis already read
            int32_t inner = Expression();
            --m_depth;
            Expect(T::RParen, "')' expected");
            colour = ExpressionFrom(inner);
        }
    } else {
        colour = Expression();
    }
    TLP_Settings& settings = m_language.Settings();
    if (key == T::SelTextColor) {
        settings.SetSelTextColor(colour);
        settings.SetSelTextDefault(flag);
    } else if (key == T::SelTextBack) {
        settings.SetSelTextBack(colour);
        settings.SetSelBackDefault(flag);
    } else if (key == T::GutterColor) {
        settings.SetGutterColor(colour);
        settings.SetGutterDefault(flag);
    } else {
        settings.SetMarginColor(colour);
        settings.SetMarginDefault(flag);
    }
}

void TLXP_ScriptParser::EditableStyles() {
    for (;;) {
        Expect(T::LParen, "'(' expected");
        std::string name = StringValue();
        Expect(T::Comma, "',' expected");
        int32_t style = Expression();
        if (style < 0 || style > 255) m_compiler.Error("Value must be 0..255");
        Expect(T::RParen, "')' expected");
        Guarded([&] { m_language.Settings().AddEditableStyle(name, static_cast<uint8_t>(style)); });
        if (m_compiler.Peek() != T::Comma) return;
        m_compiler.Next();
    }
}

void TLXP_ScriptParser::ContextStates() {
    for (;;) {
        Expect(T::LParen, "'(' expected");
        std::vector<uint8_t> tokens;
        while (m_compiler.Peek() != T::LBracket) {
            tokens.push_back(static_cast<uint8_t>(Value(0, 255)));
            if (m_compiler.Peek() == T::Comma) m_compiler.Next();
        }
        TByteSet states = StateList();
        Expect(T::RParen, "')' expected");
        for (uint8_t token : tokens) {
            if (m_contextGiven.Contains(token))
                m_compiler.Error(Format("Token value %d re-specified in ContextState", token));
            m_contextGiven.Include(token);
            m_language.SetContextStates(token, states);
        }
        if (m_compiler.Peek() != T::Comma) return;
        m_compiler.Next();
    }
}

// ---- %%words, %%handlers, %%tokens ----

void TLXP_ScriptParser::WordsSection() {
    m_label = "%%Words";
    while (!AtSectionEnd()) {
        std::string word = StringValue();
        m_label = "%%Words - " + word;
        if (word.empty()) m_compiler.Error("String value expected");
        TLP_CharGroup follow = OneSpecifier(StringRaw());
        auto token = static_cast<int32_t>(Value(0, 255));
        TByteSet states = m_compiler.Peek() == T::LBracket ? StateList() : TByteSet{0};
        try {
            m_language.Keywords().Add(word, follow, states, token);
        } catch (const ELexipad&) {
            m_compiler.Error("Duplicate entry in %%word table");
        }
    }
}

void TLXP_ScriptParser::HandlersSection() {
    m_label = "%%Handlers";
    while (!AtSectionEnd()) {
        auto token = static_cast<uint8_t>(Value(0, 255));
        m_label = "%%Handlers - " + std::to_string(token);
        if (m_language.Handler(token)) m_compiler.Error("Duplicate entry in %%handler table");
        TLP_HandlerRecord record;
        TLP_MatchPart& continuation = record.continuation;
        TScriptToken next = m_compiler.Next();
        if (next == T::Match) {
            continuation.hasHandler = continuation.custom = true;
            continuation.handler = MatchNumber();
        } else if (next == T::String) {
            continuation.group = m_language.Groups().Add(OneSpecifier(m_compiler.StringRaw()));
        } else {
            m_compiler.Unget();
            continuation.hasHandler = true;
            continuation.handler = BuiltInHandler();
        }
        if (m_compiler.Peek() == T::Question) {
            m_compiler.Next();
            continuation.repeat = 1;
        }
        TScriptToken after = m_compiler.Peek();
        if (!continuation.custom && (after == T::Match || after == T::String))
            TerminatorPart(record.terminator, false);
        m_language.SetHandler(token, record);
    }
}

// A terminator (match (n), a string of up to four specifiers, or with
// allowHandlerNumber a built-in handler number) and its include flag.
void TLXP_ScriptParser::TerminatorPart(TLP_Terminator& terminator, bool allowHandlerNumber) {
    TScriptToken token = m_compiler.Next();
    if (token == T::Match) {
        terminator.hasHandler = terminator.custom = true;
        terminator.handler = MatchNumber();
    } else if (token == T::String) {
        std::vector<TLP_CharGroup> groups;
        Guarded([&] { groups = ParseCharSpecifiers(m_compiler.StringRaw()); });
        if (groups.size() > TLP_Terminator::kMaxGroups)
            m_compiler.Error("Maximum of 4 character specifier allowed");
        terminator.count = static_cast<uint8_t>(groups.size());
        for (size_t i = 0; i < groups.size(); ++i)
            terminator.groups[i] = m_language.Groups().Add(groups[i]);
    } else if (allowHandlerNumber) {
        m_compiler.Unget();
        terminator.hasHandler = true;
        terminator.handler = BuiltInHandler();
    } else {
        m_compiler.Error(token == T::Eof ? "Unexpected EOF" : "Script syntax error");
    }
    terminator.include = Expression() != 0 ? 1 : 0;
}

void TLXP_ScriptParser::TokensSection() {
    m_label = "%%Tokens";
    while (!AtSectionEnd()) {
        if (m_compiler.Peek() != T::InState) {
            TokenEntry(-1);
            continue;
        }
        m_compiler.Next();
        int state = Value(0, 255);
        Expect(T::LParen, "'(' expected");
        m_language.AddStateTable(static_cast<uint8_t>(state));
        while (m_compiler.Peek() != T::RParen) {
            if (m_compiler.Peek() == T::Eof) Expect(T::RParen, "')' expected");
            TokenEntry(state);
        }
        m_compiler.Next();
    }
}

void TLXP_ScriptParser::TokenEntry(int state) {
    TLP_TokenRule rule;
    rule.token = static_cast<uint8_t>(Value(0, 255));
    m_label = "%%Tokens - " + std::to_string(rule.token);
    TByteSet startChars;
    if (m_compiler.Next() == T::String) {
        TLP_CharGroup start = OneSpecifier(m_compiler.StringRaw());
        rule.start.group = m_language.Groups().Add(start);
        startChars = Members(start);
        TScriptToken next = m_compiler.Peek();
        if (next == T::String || next == T::Match) {
            m_compiler.Next();
            if (next == T::Match) {
                rule.continuation.hasHandler = rule.continuation.custom = true;
                rule.continuation.handler = MatchNumber();
            } else {
                rule.continuation.group =
                    m_language.Groups().Add(OneSpecifier(m_compiler.StringRaw()));
                if (m_compiler.Peek() == T::Question) {
                    m_compiler.Next();
                    rule.continuation.repeat = 1;
                }
                TerminatorPart(rule.terminator, true);
            }
        }
    } else {
        m_compiler.Unget();
        rule.start.hasHandler = true;
        rule.start.handler = Value(10, 20);
        startChars = HandlerStartCharacters(rule.start.handler);
    }
    rule.states = m_compiler.Peek() == T::LBracket ? StateList() : TByteSet{0};
    if (state >= 0) rule.states = TByteSet{static_cast<uint8_t>(state)};
    InstallRule(rule, startChars, state);
}

void TLXP_ScriptParser::InstallRule(const TLP_TokenRule& rule, const TByteSet& startChars,
                                    int state) {
    for (int c = 0; c < 256; ++c) {
        auto ch = static_cast<uint8_t>(c);
        if (!startChars.Contains(ch)) continue;
        bool taken = state < 0
                         ? m_language.TokenStart(ch) != nullptr
                         : m_language.StateTokenStart(static_cast<uint8_t>(state), ch) != nullptr;
        if (taken) m_compiler.Error("Ambigious start set in %%token table");
        if (state < 0)
            m_language.SetTokenStart(ch, rule);
        else
            m_language.SetStateTokenStart(static_cast<uint8_t>(state), ch, rule);
    }
}

// ---- %%map, %%effects, %%states, %%containers ----

void TLXP_ScriptParser::MapSection() {
    m_label = "%%Map";
    while (!AtSectionEnd()) {
        auto token = static_cast<uint8_t>(Value(0, 255));
        m_label = "%%Map - " + std::to_string(token);
        m_language.Settings().SetTokenStyle(token, static_cast<uint8_t>(Value(0, 255)));
    }
}

void TLXP_ScriptParser::EffectsSection() {
    m_label = "%%Effects";
    while (!AtSectionEnd()) {
        auto index = static_cast<uint8_t>(Value(0, 255));
        m_label = "%%Effects - " + std::to_string(index);
        if (index != 0 && m_effectsGiven.Contains(index))
            m_compiler.Error("Duplicate %%effect entry");
        m_effectsGiven.Include(index);
        TLP_Style style;
        if (m_compiler.Peek() == T::LBracket) style.fontStyle = FontStyleBits();
        style.textColor = Expression();
        if (m_compiler.Peek() == T::Star) {
            m_compiler.Next();
            style.textDefault = 1;
        }
        style.backColor = Expression();
        if (m_compiler.Peek() == T::Star) {
            m_compiler.Next();
            style.backDefault = 1;
        }
        if (m_compiler.Peek() == T::String) {
            if (!SameText(StringValue(), "hotspot")) m_compiler.Error("Script syntax error");
            style.hotSpot = 1;
        }
        style.defined = 1;
        m_language.Settings().SetStyle(index, style);
    }
}

void TLXP_ScriptParser::StatesSection(bool containers) {
    m_label = containers ? "%%Containers" : "%%States";
    while (!AtSectionEnd()) {
        auto token = static_cast<uint8_t>(Value(0, 255));
        m_label = (containers ? "%%Containers - " : "%%States - ") + std::to_string(token);
        TLP_Effect effect;
        effect.allowed = TByteSet::All();
        effect.context = containers ? 1 : 0;
        if (!containers && m_compiler.Peek() == T::Push) {
            m_compiler.Next();
            effect.stackFlags |= TLP_Effect::kPushBefore;
        } else if (!containers && m_compiler.Peek() == T::Pop) {
            m_compiler.Next();
            effect.stackFlags |= TLP_Effect::kPopBefore;
        }
        Expect(T::LParen, "'(' expected");
        for (TScriptToken sign = m_compiler.Next(); sign != T::RParen; sign = m_compiler.Next()) {
            if (sign == T::Plus)
                effect.added = effect.added | TermOrList();
            else if (sign == T::Minus)
                effect.removed = effect.removed | TermOrList();
            else
                m_compiler.Error(sign == T::Eof ? "Unexpected EOF" : "')' expected");
        }
        if (!containers && m_compiler.Peek() == T::Push) {
            m_compiler.Next();
            effect.stackFlags |= TLP_Effect::kPushAfter;
        } else if (!containers && m_compiler.Peek() == T::Pop) {
            m_compiler.Next();
            effect.stackFlags |= TLP_Effect::kPopAfter;
            effect.added = effect.removed = TByteSet{};
        }
        effect.noChange = effect.added.IsEmpty() && effect.removed.IsEmpty() ? 1 : 0;
        m_language.SetEffect(token, effect);
    }
}

// ---- %%keys, %%autoreplace, %%templates, %%kwTables ----

void TLXP_ScriptParser::KeysSection() {
    m_label = "%%Keys";
    if (!m_keysReplaced) {
        m_language.Settings().Keys().Clear();
        m_keysReplaced = true;
    }
    while (!AtSectionEnd())
        KeyEntry();
}

void TLXP_ScriptParser::KeyEntry() {
    int32_t command = Expression();
    m_label = "%%Keys - " + std::to_string(command);
    std::vector<TKeyPair> pairs;
    if (m_compiler.Peek() == T::LParen) {
        m_compiler.Next();
        for (;;) {
            uint16_t modifiers = Modifiers();
            TKeyPair pair;
            pair.first = MakeShortCut(KeyValue(), static_cast<uint8_t>(modifiers));
            if (m_compiler.Peek() == T::Comma) {
                m_compiler.Next();
                pair.second = KeyValue();
            }
            pairs.push_back(pair);
            if (m_compiler.Peek() != T::Bar) break;
            m_compiler.Next();
        }
        Expect(T::RParen, "')' expected");
    }
    std::string name;
    if (m_compiler.Peek() == T::String)
        name = StringValue();
    else
        name = TKeyboardActionContoller::DefaultKeyTable().Description(command);
    if (Trim(name).empty()) m_compiler.Error("Key function name cannot be blank");
    TKeyboardActionContoller& keys = m_language.Settings().Keys();
    Guarded([&] {
        keys.Describe(command, name);
        for (const TKeyPair& pair : pairs)
            keys.Bind(pair.first, pair.second, command);
    });
}

void TLXP_ScriptParser::AutoReplaceSection() {
    m_label = "%%AutoReplace";
    TAutoReplace& replace = m_language.Settings().AutoReplace();
    while (!AtSectionEnd()) {
        TScriptToken token = m_compiler.Next();
        if (token == T::ActionKeys) {
            Expect(T::Equals, "'=' expected");
            std::string triggers = StringRaw();
            Guarded([&] { replace.SetTriggerText(triggers); });
        } else if (token == T::String) {
            std::string from = m_compiler.StringValue();
            m_label = "%%AutoReplace - " + from;
            Expect(T::Equals, "'=' expected");
            replace.Add(from, "", m_caseSensitive, StringValue());
        } else {
            m_compiler.Error("Script syntax error");
        }
    }
}

void TLXP_ScriptParser::TemplatesSection() {
    m_label = "%%Templates";
    TCodeTemplates& templates = m_language.Settings().Templates();
    while (!AtSectionEnd()) {
        TScriptToken token = m_compiler.Next();
        if (token == T::HotKey) {
            Expect(T::Equals, "'=' expected");
            Expect(T::LParen, "'(' expected");
            uint16_t modifiers = Modifiers();
            uint16_t key = KeyValue();
            Expect(T::RParen, "')' expected");
            templates.SetHotKey(MakeShortCut(key, static_cast<uint8_t>(modifiers)));
        } else if (token == T::String) {
            std::string name = m_compiler.StringValue();
            m_label = "%%Templates - " + name;
            std::string description;
            if (m_compiler.Peek() == T::LParen) {
                m_compiler.Next();
                description = StringValue();
                Expect(T::RParen, "')' expected");
            }
            Expect(T::Equals, "'=' expected");
            templates.Add(name, description, m_caseSensitive, StringValue());
        } else {
            m_compiler.Error("Script syntax error");
        }
    }
}

void TLXP_ScriptParser::KwTablesSection() {
    m_label = "%%KwTables";
    while (!AtSectionEnd()) {
        TByteSet states = m_compiler.Peek() == T::LBracket ? StateList() : TByteSet{0};
        Expect(T::EndsWith, "Script syntax error");
        std::string endsWith = StringRaw();
        Expect(T::LParen, "'(' expected");
        std::optional<TLP_KeywordTable> table;
        Guarded([&] { table.emplace(states, endsWith, m_caseSensitive ? 1 : 0); });
        while (m_compiler.Peek() != T::RParen) {
            auto token = static_cast<int32_t>(Value(0, 255));
            Expect(T::Is, "Script syntax error");
            for (;;) {
                std::string word = StringValue();
                Guarded([&] { table->AddWord(word, token); });
                if (m_compiler.Peek() != T::Comma) break;
                m_compiler.Next();
            }
        }
        m_compiler.Next();
        Guarded([&] { m_language.Settings().AddKeywordTable(*table); });
    }
}

} // namespace quarno
