// The token reader of parser scripts, with its preprocessor: blanks and
// comments are skipped, #define / #ifdef / #ifndef / #else / #endif /
// #include are obeyed, macros (the predefined constants among them) are
// replaced by their text, and the rest is split into reserved words, string
// literals and decimal numbers. Errors raise ELXP_COMP_ERROR "** ERROR near
// line %d, Column %d: %s" at the start of the token (or directive) at fault.
#pragma once

#include "core/highlight/TWordStore.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarno {

enum class TScriptToken {
    Eof,
    String,
    Number,
    // section heads
    Language,
    Words,
    Handlers,
    Tokens,
    Map,
    Effects,
    States,
    Containers,
    Keys,
    AutoReplace,
    Templates,
    KwTables,
    // language keys: Name to GutterFontStyle, kept together
    Name,
    Case,
    Options,
    ExampleText,
    EditableStyles,
    WordWrapColumn,
    Gutter,
    Anchor,
    StartState,
    ContextStates,
    IndentStep,
    WrapOverride,
    SelTextColor,
    SelTextBack,
    RightMargin,
    FontName,
    FontSize,
    FontCharset,
    TabColumns,
    TabDefault,
    BoundStates,
    GutterColor,
    MarginColor,
    MarginWidth,
    GutterFontName,
    GutterFontSize,
    GutterFontColor,
    GutterFontStyle,
    // other words
    InState,
    Shift,
    Ctrl,
    Alt,
    Or,
    Match,
    ActionKeys,
    HotKey,
    ForState,
    EndsWith,
    Is,
    Push,
    Pop,
    // punctuation
    Equals,
    LParen,
    RParen,
    LBracket,
    RBracket,
    Comma,
    Plus,
    Minus,
    Question,
    Bar,
    Star,
};

class TLXP_Compiler {
public:
    // text: the whole script; scriptDir: the folder names in <...> are
    // taken from (a separator is added when it lacks one).
    TLXP_Compiler(std::string text, std::string scriptDir);

    // The next token; Eof at the end of the script.
    TScriptToken Next();
    // Makes the next Next() return the last token again; positions go back
    // to the token before it.
    void Unget();
    TScriptToken Peek();

    // The last string literal: as written (escapes kept) and its value.
    const std::string& StringRaw() const { return m_string; }
    std::string StringValue() const;
    int32_t Number() const { return m_number; }

    // Where the last token started, counted from 1.
    int Line() const { return m_position.line + 1; }
    int Column() const { return m_position.column + 1; }
    // Raises the error at the last token's position.
    [[noreturn]] void Error(const std::string& message) const;

    void DefineMacro(const std::string& name, const std::string& text);
    bool IsMacro(const std::string& name) const { return m_macros.Contains(name); }

private:
    struct Position {
        int line = 0;
        int column = 0;
    };
    struct Source {
        std::shared_ptr<const std::string> text;
        size_t pos = 0;
        bool file = false; // the script or an included file: counts lines
        std::string macro; // the macro being expanded, for macro sources
        int line = 0;
        int column = 0;
        bool lastWasCR = false;
        Position origin; // where a macro was named, in its file
    };
    struct Conditional {
        bool wasSkipping;
    };

    Source& Top() { return m_sources.back(); }
    Source& FileSource();
    bool AtEnd();
    char PeekChar(size_t ahead = 0);
    void Advance();
    void MarkTokenStart();
    // Skips blanks, comments and directives and expands macros; false at the
    // end of the script.
    bool SkipToToken();
    void Directive(const std::string& word);
    std::string DirectiveName();
    void Include();
    std::string RestOfLine();
    std::string ReadIdentifier();
    TScriptToken ReadToken();
    void ReadString();
    void ReadNumber();
    void SkipToken();
    void ReserveWords();
    void DefinePredefinedMacros();

    std::vector<Source> m_sources;
    std::string m_scriptDir;
    TWordStore m_macros;
    TWordStore m_reserved;
    std::vector<Conditional> m_conditionals;
    bool m_skipping = false;
    bool m_pushedBack = false;
    int64_t m_expansions = 0;
    TScriptToken m_last = TScriptToken::Eof;
    std::string m_string;
    int32_t m_number = 0;
    Position m_position;       // of the last token read
    Position m_previous;       // of the token before it
    Position m_pushedPosition; // of a token put back
};

} // namespace quarno
