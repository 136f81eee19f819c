// The token reader and preprocessor of parser scripts.
#include "core/highlight/TLXP_Compiler.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/lexicon/CharSpecifiers.h"

#include <climits>

namespace quarno {

namespace {

constexpr size_t kMaxSources = 64;          // the script and the macros and includes open in it
constexpr int64_t kMaxExpansions = 1000000; // macros that expand to several macros

bool IsIdentStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || static_cast<unsigned char>(c) == 160;
}

} // namespace

TLXP_Compiler::TLXP_Compiler(std::string text, std::string scriptDir)
    : m_scriptDir(std::move(scriptDir)) {
    Source script;
    script.text = std::make_shared<const std::string>(std::move(text));
    script.file = true;
    m_sources.push_back(script);
    ReserveWords();
    DefinePredefinedMacros();
}

void TLXP_Compiler::ReserveWords() {
    using T = TScriptToken;
    const std::pair<const char*, T> words[] = {
        {"%%language", T::Language},
        {"%%words", T::Words},
        {"%%handler", T::Handlers},
        {"%%handlers", T::Handlers},
        {"%%tokens", T::Tokens},
        {"%%map", T::Map},
        {"%%effects", T::Effects},
        {"%%states", T::States},
        {"%%containers", T::Containers},
        {"%%keys", T::Keys},
        {"%%autoreplace", T::AutoReplace},
        {"%%templates", T::Templates},
        {"%%kwTables", T::KwTables},
        {"name", T::Name},
        {"case", T::Case},
        {"options", T::Options},
        {"exampletext", T::ExampleText},
        {"editablestyles", T::EditableStyles},
        {"wordwrapcolumn", T::WordWrapColumn},
        {"gutter", T::Gutter},
        {"anchor", T::Anchor},
        {"startstate", T::StartState},
        {"contextstates", T::ContextStates},
        {"indentstep", T::IndentStep},
        {"wrapoverride", T::WrapOverride},
        {"seltextcolor", T::SelTextColor},
        {"seltextback", T::SelTextBack},
        {"rightmargin", T::RightMargin},
        {"fontname", T::FontName},
        {"fontsize", T::FontSize},
        {"fontcharset", T::FontCharset},
        {"tabcolumns", T::TabColumns},
        {"tabdefault", T::TabDefault},
        {"boundstates", T::BoundStates},
        {"guttercolor", T::GutterColor},
        {"margincolor", T::MarginColor},
        {"marginwidth", T::MarginWidth},
        {"GutterFontName", T::GutterFontName},
        {"GutterFontSize", T::GutterFontSize},
        {"GutterFontColor", T::GutterFontColor},
        {"GutterFontStyle", T::GutterFontStyle},
        {"InState", T::InState},
        {"shift", T::Shift},
        {"ctrl", T::Ctrl},
        {"alt", T::Alt},
        {"or", T::Or},
        {"match", T::Match},
        {"actionkeys", T::ActionKeys},
        {"hotkey", T::HotKey},
        {"forstate", T::ForState},
        {"endswith", T::EndsWith},
        {"is", T::Is},
        {"push", T::Push},
        {"pop", T::Pop},
        {"=", T::Equals},
        {"(", T::LParen},
        {")", T::RParen},
        {"[", T::LBracket},
        {"]", T::RBracket},
        {",", T::Comma},
        {"+", T::Plus},
        {"-", T::Minus},
        {"?", T::Question},
        {"|", T::Bar},
        {"*", T::Star},
    };
    for (const auto& [word, token] : words)
        m_reserved.Reserve(word, static_cast<int>(token));
}

void TLXP_Compiler::DefinePredefinedMacros() {
    const std::pair<const char*, int64_t> values[] = {
        {"__insensitive", 0},
        {"__sensitive", 1},
        {"_discard_", 0},
        {"_use_", 1},
        {"pt_DEFAULT", 0},
        {"_edge", 0},
        {"_DEFAULT_START_ANCHOR", 0},
        {"_default_gutter", 34},
        {"__DEFAULT_OPTIONS", 67099632},
        {"__OPT_LINE_NUMBERS", 1},
        {"__OPT_SYNTAX_HIGHLIGHT", 16},
        {"__OPT_PRINT_WRAP", 32},
        {"__OPT_PRINT_LINENOS", 64},
        {"__OPT_PRINT_FILENAME", 128},
        {"__OPT_PRINT_DATE", 256},
        {"__OPT_PRINT_PAGENOS", 512},
        {"__OPT_WORDWRAP", 1024},
        {"__OPT_AUTOINDENT", 2048},
        {"__OPT_TABCOLUMN", 4096},
        {"__OPT_WRAP_OVERRIDE", 8192},
        {"__WORD_SELECT", 16384},
        {"__OPT_SHOW_RMARGIN", 32768},
        {"__OPT_SHOW_RIGHT_MARGIN", 32768},
        {"__OPT_SHOW_GUTTER", 65536},
        {"__OPT_SHOW_WRAPCOLUMN", 131072},
        {"__OPT_TITLE_AS_FILENAME", 262144},
        {"__OPT_PROCESS_DROP_FILES", 524288},
        {"__OPT_BLOCK_CURSOR", 1048576},
        {"__OPT_WRAP_GLYPH", 2097152},
        {"__OPT_COLUMN_TRACK", 4194304},
        {"__OPT_USE_TAB", 8388608},
        {"__OPT_SMART_FILL", 16777216},
        {"__OPT_OLE_DRAG_SOURCE", 33554432},
        {"__OPT_SHOW_CONTROL_CHARS", 67108864},
        {"__OPT_CARET_AFTER_EOL", 134217728},
        {"_PASCAL_CHAR", 0},
        {"_WEB_CHAR", 1},
        {"_ORIGINAL_CHAR", 2},
        {"__STD_IDENTIFIER", 10},
        {"__STD_NUMBER_OR_FP", 11},
        {"__STD_PASCALSTRING", 12},
        {"__STD_C_STRING", 13},
        {"__STD_C_CHAR", 14},
        {"__STD_C_NUMBER_OR_FP_SIGNED", 15},
        {"__STD_NUMBER", 16},
        {"__STD_MAIL_URL", 17},
        {"__STD_HTML_STRING", 18},
        {"__STD_JS_LINE_COMMENT", 19},
        {"__STD_C_STRING_SQ", 20},
        {"fsBold", 0},
        {"fsItalic", 1},
        {"fsUnderline", 2},
        {"fsStrikeout", 3},
        {"clBlack", 0},
        {"clMaroon", 128},
        {"clGreen", 32768},
        {"clOlive", 32896},
        {"clNavy", 8388608},
        {"clPurple", 8388736},
        {"clTeal", 8421376},
        {"clGray", 8421504},
        {"clDkGray", 8421504},
        {"clSilver", 12632256},
        {"clLtGray", 12632256},
        {"clRed", 255},
        {"clLime", 65280},
        {"clYellow", 65535},
        {"clBlue", 16711680},
        {"clFuchsia", 16711935},
        {"clAqua", 16776960},
        {"clWhite", 16777215},
        {"caLEFT", 0},
        {"caRIGHT", 1},
        {"caLINEHOME", 2},
        {"caLINEEND", 3},
        {"caUP", 4},
        {"caDOWN", 5},
        {"caPAGEUP", 6},
        {"caPAGEDOWN", 7},
        {"caWORDLEFT", 8},
        {"caWORDRIGHT", 9},
        {"caDOCSTART", 10},
        {"caDOCEND", 11},
        {"caCUT", 12},
        {"caCOPY", 13},
        {"caPASTE", 14},
        {"caDELETE", 15},
        {"caBACKSPACE", 16},
        {"caBLOCKIND", 17},
        {"caBLOCKUND", 18},
        {"caINSTOGGLE", 19},
        {"caDELETELINE", 40},
        {"caUNDO", 41},
        {"caREDO", 42},
        {"caDELPREVWORD", 43},
        {"caPRINTSEL", 44},
        {"caDELNEXTWORD", 45},
        {"LEFT", 37},
        {"RIGHT", 39},
        {"UP", 38},
        {"DOWN", 40},
        {"PGUP", 33},
        {"PGDN", 34},
        {"HOME", 36},
        {"END", 35},
        {"DELETE", 46},
        {"BACKSPACE", 8},
        {"INSERT", 45},
        {"None", 0},
        {"ANSI_CHARSET", 0},
        {"DEFAULT_CHARSET", 1},
        {"SYMBOL_CHARSET", 2},
        {"SHIFTJIS_CHARSET", 128},
        {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},
        {"GB2312_CHARSET", 134},
        {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},
        {"TURKISH_CHARSET", 162},
        {"HEBREW_CHARSET", 177},
        {"ARABIC_CHARSET", 178},
        {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204},
        {"THAI_CHARSET", 222},
        {"EASTEUROPE_CHARSET", 238},
        {"MAC_CHARSET", 77},
        {"OEM_CHARSET", 255},
    };
    for (const auto& [name, value] : values)
        m_macros.Define(name, std::to_string(value));
    for (int n = 0; n < 10; ++n) {
        m_macros.Define("caSETBOOKMARK" + std::to_string(n), std::to_string(20 + n));
        m_macros.Define("caGOTOBOOKMARK" + std::to_string(n), std::to_string(30 + n));
    }
    for (int n = 1; n <= 12; ++n)
        m_macros.Define("F" + std::to_string(n), std::to_string(111 + n));
    m_macros.Define("ver200", "ver200"); // defined as itself: a name #ifdef can test
}

void TLXP_Compiler::DefineMacro(const std::string& name, const std::string& text) {
    m_macros.Define(name, text);
}

std::string TLXP_Compiler::StringValue() const {
    return UnescapeScriptString(m_string);
}

void TLXP_Compiler::Error(const std::string& message) const {
    throw ELXP_COMP_ERROR(Format("** ERROR near line %d, Column %d: %s", Line(), Column(), message),
                          Line(), Column());
}

TLXP_Compiler::Source& TLXP_Compiler::FileSource() {
    for (size_t i = m_sources.size(); i-- > 0;)
        if (m_sources[i].file) return m_sources[i];
    return m_sources.front();
}

bool TLXP_Compiler::AtEnd() {
    while (Top().pos >= Top().text->size()) {
        if (m_sources.size() == 1) return true;
        m_sources.pop_back();
    }
    return false;
}

char TLXP_Compiler::PeekChar(size_t ahead) {
    const Source& source = Top();
    size_t at = source.pos + ahead;
    return at < source.text->size() ? (*source.text)[at] : '\0';
}

// One character on. Files count lines at a carriage return, and at a line
// feed that does not follow one (so LF-only scripts count lines too).
void TLXP_Compiler::Advance() {
    Source& source = Top();
    if (source.pos >= source.text->size()) return;
    char c = (*source.text)[source.pos++];
    if (!source.file) return;
    if (c == '\r' || (c == '\n' && !source.lastWasCR)) {
        ++source.line;
        source.column = 0;
    } else if (c != '\n') {
        ++source.column;
    }
    source.lastWasCR = c == '\r';
}

// Tokens read from a macro's text are placed where the macro was named.
void TLXP_Compiler::MarkTokenStart() {
    for (size_t i = m_sources.size(); i-- > 0;) {
        const Source& source = m_sources[i];
        if (source.file) {
            m_position = {source.line, source.column};
            return;
        }
        if (i > 0 && m_sources[i - 1].file) {
            m_position = source.origin;
            return;
        }
    }
}

void TLXP_Compiler::Unget() {
    m_pushedBack = true;
    m_pushedPosition = m_position;
    m_position = m_previous;
}

std::string TLXP_Compiler::ReadIdentifier() {
    std::string name;
    while (IsIdentChar(PeekChar())) {
        name += PeekChar();
        Advance();
    }
    return name;
}

std::string TLXP_Compiler::RestOfLine() {
    std::string rest;
    while (Top().pos < Top().text->size() && PeekChar() != '\r' && PeekChar() != '\n') {
        rest += PeekChar();
        Advance();
    }
    return rest;
}

std::string TLXP_Compiler::DirectiveName() {
    while (IsBlank(PeekChar()))
        Advance();
    return ReadIdentifier();
}

bool TLXP_Compiler::SkipToToken() {
    for (;;) {
        if (AtEnd()) return false;
        char c = PeekChar();
        if (IsBlank(c) || c == '\r' || c == '\n') {
            Advance();
        } else if (c == '/' && PeekChar(1) == '*') {
            MarkTokenStart();
            Advance();
            Advance();
            while (!(PeekChar() == '*' && PeekChar(1) == '/')) {
                if (Top().pos >= Top().text->size()) Error("Unexpected EOF");
                Advance();
            }
            Advance();
            Advance();
        } else if (c == '/' && PeekChar(1) == '/') {
            while (Top().pos < Top().text->size() && PeekChar() != '\r' && PeekChar() != '\n')
                Advance();
        } else if (c == '#' && IsIdentStart(PeekChar(1))) {
            size_t at = Top().pos;
            std::string word;
            for (size_t k = 1; IsIdentChar(PeekChar(k)); ++k)
                word += PeekChar(k);
            std::string lower = LowerCase(word);
            if (lower != "define" && lower != "ifdef" && lower != "ifndef" && lower != "else" &&
                lower != "endif" && lower != "include")
                return true; // not a directive: '#' is read as a token
            MarkTokenStart();
            while (Top().pos <= at + word.size())
                Advance();
            Directive(lower);
        } else if (IsIdentStart(c) && !m_skipping) {
            size_t length = 0;
            std::string_view rest(Top().text->data() + Top().pos, Top().text->size() - Top().pos);
            size_t end = 0;
            while (end < rest.size() && IsIdentChar(rest[end]))
                ++end;
            std::string name(rest.substr(0, end));
            if (!m_macros.Contains(name) ||
                (m_reserved.LongestAt(rest, length) >= 0 && length == end))
                return true;
            MarkTokenStart();
            for (const Source& source : m_sources)
                if (!source.macro.empty() && SameText(source.macro, name))
                    Error(Format("Recursive expansion of macro '%s'", name));
            // Limits against runaway nesting and against macros that double at
            // every level; each message names the limit it hit.
            if (m_sources.size() >= kMaxSources)
                Error(Format("Macro '%s' nested too deeply (more than %d macros and includes)",
                             name, static_cast<int>(kMaxSources) - 1));
            if (++m_expansions > kMaxExpansions)
                Error(Format("Too many macro expansions (more than %lld) at macro '%s'",
                             static_cast<long long>(kMaxExpansions), name));
            for (size_t k = 0; k < end; ++k)
                Advance();
            Source expansion;
            expansion.origin = m_position;
            expansion.text = std::make_shared<const std::string>(*m_macros.Text(name));
            expansion.macro = name;
            m_sources.push_back(expansion);
        } else {
            return true;
        }
    }
}

void TLXP_Compiler::Directive(const std::string& word) {
    if (word == "define") {
        std::string name = DirectiveName();
        if (name.empty()) {
            if (!m_skipping) Error("Macro name expected");
            RestOfLine();
            return;
        }
        std::string text(Trim(RestOfLine()));
        if (!m_skipping && !SameText(text, name)) m_macros.Define(name, text);
    } else if (word == "ifdef" || word == "ifndef") {
        std::string name = DirectiveName();
        if (name.empty() && !m_skipping) Error("Macro name expected after #ifdef");
        m_conditionals.push_back({m_skipping});
        if (!m_skipping) m_skipping = (word == "ifdef") != m_macros.Contains(name);
    } else if (word == "else") {
        if (!m_conditionals.empty() && !m_conditionals.back().wasSkipping) m_skipping = !m_skipping;
    } else if (word == "endif") {
        if (!m_conditionals.empty()) {
            m_skipping = m_conditionals.back().wasSkipping;
            m_conditionals.pop_back();
        }
    } else if (m_skipping) {
        RestOfLine();
    } else {
        Include();
    }
}

void TLXP_Compiler::Include() {
    while (IsBlank(PeekChar()))
        Advance();
    char open = PeekChar();
    if (open != '"' && open != '<') Error("#include filename not enclosed in \"...\" or <...>");
    char close = open == '"' ? '"' : '>';
    Advance();
    std::string name;
    while (PeekChar() != close) {
        if (Top().pos >= Top().text->size() || PeekChar() == '\r' || PeekChar() == '\n')
            Error(Format("#include filename missing terminating %c", close));
        name += PeekChar();
        Advance();
    }
    Advance();
    std::string path = name;
    if (open == '<') {
        std::string folder = m_scriptDir;
        if (!folder.empty() && folder.back() != '/') folder += '/';
        path = folder + name;
    }
    if (m_sources.size() >= kMaxSources)
        Error(Format("#include %c%s%c nested too deeply (more than %d macros and includes)", open,
                     name, close, static_cast<int>(kMaxSources) - 1));
    std::string text;
    try {
        // Only regular files: a device or a pipe could block the compiler.
        if (!FileExists(path)) throw Exception("cannot include");
        text = ReadWholeFile(path);
    } catch (const Exception&) {
        Error(Format("Unable to open #include file %c%s%c", open, name, close));
    }
    Source included;
    included.text = std::make_shared<const std::string>(std::move(text));
    included.file = true;
    m_sources.push_back(included);
}

TScriptToken TLXP_Compiler::Peek() {
    TScriptToken token = Next();
    Unget();
    return token;
}

TScriptToken TLXP_Compiler::Next() {
    m_previous = m_position;
    if (m_pushedBack) {
        m_pushedBack = false;
        m_position = m_pushedPosition;
        return m_last;
    }
    for (;;) {
        if (!SkipToToken()) {
            MarkTokenStart();
            return m_last = TScriptToken::Eof;
        }
        MarkTokenStart();
        if (!m_skipping) return m_last = ReadToken();
        SkipToken();
    }
}

// Drops one token of a skipped region without judging it.
void TLXP_Compiler::SkipToken() {
    std::string_view rest(Top().text->data() + Top().pos, Top().text->size() - Top().pos);
    size_t length = 0;
    if (m_reserved.LongestAt(rest, length) >= 0) {
        for (size_t k = 0; k < length; ++k)
            Advance();
    } else if (PeekChar() == '\'') {
        ReadString();
    } else if (IsIdentChar(PeekChar())) {
        while (IsIdentChar(PeekChar()))
            Advance();
    } else {
        Advance();
    }
}

TScriptToken TLXP_Compiler::ReadToken() {
    std::string_view rest(Top().text->data() + Top().pos, Top().text->size() - Top().pos);
    size_t length = 0;
    int code = m_reserved.LongestAt(rest, length);
    if (code >= 0) {
        for (size_t k = 0; k < length; ++k)
            Advance();
        return static_cast<TScriptToken>(code);
    }
    char c = PeekChar();
    if (c == '\'') {
        ReadString();
        return TScriptToken::String;
    }
    if (c >= '0' && c <= '9') {
        ReadNumber();
        return TScriptToken::Number;
    }
    if (IsIdentStart(c)) Error("Identifier \"" + ReadIdentifier() + "\" Unknown");
    Error(Format("Unknown character in input stream: #$%.2x", static_cast<unsigned char>(c)));
}

void TLXP_Compiler::ReadString() {
    Advance();
    m_string.clear();
    for (;;) {
        if (Top().pos >= Top().text->size()) Error("Unexpected EOF");
        char c = PeekChar();
        Advance();
        if (c == '\'') return;
        if (c != '\\') {
            m_string += c;
            continue;
        }
        if (Top().pos >= Top().text->size()) Error("Unexpected EOF");
        char next = PeekChar();
        if (next == '\r' || next == '\n') {
            Advance();
            if (next == '\r' && PeekChar() == '\n') Advance();
            while (IsBlank(PeekChar()))
                Advance();
            if (PeekChar() == '\\') Advance();
            continue;
        }
        m_string += c;
        m_string += next;
        Advance();
    }
}

void TLXP_Compiler::ReadNumber() {
    int64_t value = 0;
    bool overflow = false;
    while (PeekChar() >= '0' && PeekChar() <= '9') {
        value = value * 10 + (PeekChar() - '0');
        if (value > INT32_MAX) {
            overflow = true;
            value = INT32_MAX;
        }
        Advance();
    }
    if (overflow) Error("Numeric value out of range");
    m_number = static_cast<int32_t>(value);
}

} // namespace quarno
