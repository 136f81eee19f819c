// The section grammar of parser scripts: reads the tokens of a TLXP_Compiler
// and fills the tables and settings of a language. Sections run from their
// head ("%%language", "%%words", "%%handlers", "%%tokens", "%%map",
// "%%effects", "%%states", "%%containers", "%%keys", "%%autoreplace",
// "%%templates", "%%kwTables") to the next head. Choices where the syntax
// leaves room:
// - a state value after '+' or '-' (in %%states, %%containers) is one term
//   (a number or a parenthesised expression), so "( +1 -2 )" adds 1 and
//   removes 2;
// - a %%tokens continuation follows a specifier start only as a string or
//   'match'; the terminator after it is 'match (n)', a string or a handler
//   number;
// - effects of %%states and %%containers allow their token in every state;
// - the first %%keys section replaces the default key table; an entry without
//   a name takes the default description of its command;
// - %%autoreplace actionkeys take the string as written (its backslash
//   escapes are those of the trigger syntax);
// - a handler number that is not marked 'match' must have a built-in routine
//   (0-2, 10-20), else "Numeric value out of range".
#pragma once

#include "core/highlight/TLXP_Compiler.h"
#include "core/lexicon/TByteSet.h"

#include <string>
#include <vector>

namespace quarno {

class TLP_Language;
struct TLP_CharGroup;
struct TLP_MatchPart;
struct TLP_Terminator;
struct TLP_TokenRule;

class TLXP_ScriptParser {
public:
    // Parentheses an expression may nest.
    static constexpr int kMaxExpressionDepth = 256;

    TLXP_ScriptParser(TLP_Language& language, TLXP_Compiler& compiler);
    // Reads every section to the end of the script; ELXP_COMP_ERROR at the
    // first error, the tables then holding what was read before it.
    void Run();
    // Where reading is: the section and entry ("%%Tokens - 4").
    const std::string& ProgressLabel() const { return m_label; }

private:
    // Grammar helpers.
    void Expect(TScriptToken token, const char* message);
    std::string StringValue();
    std::string StringRaw();
    int32_t Expression();
    int32_t ExpressionFrom(int32_t first);
    int32_t Term();
    int32_t Value(int32_t lo, int32_t hi);
    TByteSet StateList();
    TByteSet ValueOrList();
    TByteSet TermOrList();
    uint8_t FontStyleBits();
    TLP_CharGroup OneSpecifier(const std::string& raw);
    uint16_t KeyValue();
    uint16_t Modifiers();
    int32_t MatchNumber();
    int32_t BuiltInHandler();
    bool AtSectionEnd();
    template <typename Action> void Guarded(Action action);

    // Sections.
    void LanguageSection();
    void LanguageKey(TScriptToken key);
    void LanguageValue(TScriptToken key);
    void ColourKey(TScriptToken key);
    void EditableStyles();
    void ContextStates();
    void WordsSection();
    void HandlersSection();
    void TerminatorPart(TLP_Terminator& terminator, bool allowHandlerNumber);
    void TokensSection();
    void TokenEntry(int state);
    void InstallRule(const TLP_TokenRule& rule, const TByteSet& startChars, int state);
    void MapSection();
    void EffectsSection();
    void StatesSection(bool containers);
    void KeysSection();
    void KeyEntry();
    void AutoReplaceSection();
    void TemplatesSection();
    void KwTablesSection();
    void SetCase(bool caseSensitive);

    TLP_Language& m_language;
    TLXP_Compiler& m_compiler;
    std::string m_label = "Header";
    bool m_caseSensitive = false;
    bool m_keysReplaced = false;
    TByteSet m_contextGiven;
    TByteSet m_effectsGiven;
    int m_depth = 0; // parentheses open in the expression being read
};

} // namespace quarno
