// Helpers for parser run-time tests: building small languages in code and
// printing the tokens a parser reads from a text.
#pragma once

#include "core/document/TEdStream.h"
#include "core/document/TTextStore.h"
#include "core/highlight/TLexipadParser.h"
#include "core/lexicon/CharSpecifiers.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quarno::test {

inline uint16_t Group(TLP_Language& language, std::string_view specifier) {
    return language.Groups().Add(ParseCharSpecifiers(specifier).at(0));
}

inline TLP_MatchPart GroupPart(TLP_Language& language, std::string_view specifier,
                               uint8_t repeat = 0) {
    TLP_MatchPart part;
    part.repeat = repeat;
    part.group = Group(language, specifier);
    return part;
}

inline TLP_MatchPart HandlerPart(int32_t number, bool custom = false) {
    TLP_MatchPart part;
    part.hasHandler = true;
    part.custom = custom;
    part.handler = number;
    return part;
}

// A terminator of one character group per specifier.
inline TLP_Terminator Terminator(TLP_Language& language,
                                 std::initializer_list<std::string_view> specifiers,
                                 uint8_t include) {
    TLP_Terminator terminator;
    terminator.include = include;
    for (std::string_view specifier : specifiers)
        terminator.groups[terminator.count++] = Group(language, specifier);
    return terminator;
}

inline void SetHandler(TLP_Language& language, uint8_t token, TLP_MatchPart continuation,
                       TLP_Terminator terminator = {}) {
    language.SetHandler(token, {continuation, terminator});
}

// A rule started by a built-in handler for every character of starts.
inline void AddHandlerStart(TLP_Language& language, std::string_view starts, int32_t handler,
                            uint8_t token, TByteSet states = {0}) {
    TLP_TokenRule rule;
    rule.start = HandlerPart(handler);
    rule.states = states;
    rule.token = token;
    const TLP_CharGroup group = ParseCharSpecifiers(starts).at(0);
    for (int c = 0; c < 256; ++c)
        if (group.Contains(static_cast<uint8_t>(c)))
            language.SetTokenStart(static_cast<uint8_t>(c), rule);
}

inline const TLP_CharGroup& NotWordChar() {
    static const TLP_CharGroup group = ParseCharSpecifiers("[^A-Za-z0-9_]").at(0);
    return group;
}

// The rules of the shipped BASIC dialect with a few of its words: enough to
// exercise every path the dialect uses without the full vocabulary.
inline void BuildMiniBasic(TLexipadParser& parser) {
    TLP_Language& language = parser.Language();
    language.Reset();
    TSyntaxKeywords& words = language.Keywords();
    for (const char* any : {"'", ";", "REM"})
        words.Add(any, TLP_CharGroup{}, TByteSet{0}, 1);
    words.Add("$", TLP_CharGroup{}, TByteSet{0}, 13);
    words.Add("%", TLP_CharGroup{}, TByteSet{0}, 14);
    words.Add("{", TLP_CharGroup{}, TByteSet{0}, 12);
    words.Add("}", TLP_CharGroup{}, TByteSet{0}, 12);
    const std::pair<const char*, int> vocabulary[] = {
        {"print", 12},  {"at", 12},   {"ON INTERRUPT", 12}, {"interrupt", 12},
        {"chr$", 12},   {"ON", 15},   {"REMARKS", 11},      {"QUARNO_G8", 11},
        {"#IFDEF", 11}, {"PORTA", 8}, {"movlw", 10},        {"TBLRD*+", 10},
        {"print#", 19}, {"Bin8", 22}, {"var", 12},          {"LED", 15}};
    for (const auto& [word, token] : vocabulary)
        words.Add(word, NotWordChar(), TByteSet{0}, token);
    SetHandler(language, 1, GroupPart(language, "[^\\n]", 1), Terminator(language, {"\\n"}, 0));
    SetHandler(language, 2, GroupPart(language, "[^']", 1), Terminator(language, {"'"}, 1));
    SetHandler(language, 9, GroupPart(language, "[A-Za-z0-9_]"),
               Terminator(language, {"[^A-Za-z0-9_]"}, 0));
    SetHandler(language, 13, GroupPart(language, "[0-9A-Fa-fXx]"),
               Terminator(language, {"[^0-9A-Fa-f]"}, 0));
    SetHandler(language, 14, GroupPart(language, "[01]"), Terminator(language, {"[^01]"}, 0));
    AddHandlerStart(language, "\"", 13, 4);
    AddHandlerStart(language, "[.0-9]", 11, 5);
    AddHandlerStart(language, "[A-Za-z_]", 10, 3);
    parser.ResetState(0);
}

// A store holding text (line breaks already CR).
inline void Fill(TTextStore& store, std::string_view text) {
    store.Clear();
    store.InsertText(0, text);
}

// The tokens NextToken reads over the whole text from restart token 0, as
// "[text]value" joined by blanks (a CR shown as \r).
inline std::string Tokenize(TLexipadParser& parser, std::string_view text) {
    TTextStore store;
    Fill(store, text);
    TEdStream stream(store);
    parser.ResetState(0);
    std::string out;
    while (stream.Pos() < stream.CharCount()) {
        int start = stream.Pos();
        int length = 0;
        int token = parser.NextToken(nullptr, stream, length);
        std::string piece = store.TextRange(start, start + length);
        std::string shown;
        for (char c : piece)
            shown += c == '\r' ? std::string("\\r") : std::string(1, c);
        if (!out.empty()) out += ' ';
        out += "[" + shown + "]" + std::to_string(token);
        if (length <= 0) break;
    }
    return out;
}

} // namespace quarno::test
