#include "core/highlight/TLXP_Compiler.h"
#include "core/highlight/HighlightExceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;
using T = TScriptToken;

namespace {

// The tokens of a script, numbers and strings with their values.
std::string Tokens(const std::string& script, const std::string& dir = "") {
    TLXP_Compiler compiler(script, dir);
    std::string out;
    for (T token = compiler.Next(); token != T::Eof; token = compiler.Next()) {
        if (!out.empty()) out += ' ';
        if (token == T::Number)
            out += std::to_string(compiler.Number());
        else if (token == T::String)
            out += "'" + compiler.StringValue() + "'";
        else
            out += "#" + std::to_string(static_cast<int>(token));
    }
    return out;
}

std::string ErrorOf(const std::string& script, const std::string& dir = "") {
    try {
        Tokens(script, dir);
    } catch (const ELXP_COMP_ERROR& error) {
        return error.what();
    }
    return "(no error)";
}

std::string Code(T token) {
    return "#" + std::to_string(static_cast<int>(token));
}

} // namespace

TEST(TLXP_Compiler, ReservedWordsNumbersStringsAndComments) {
    EXPECT_EQ(Tokens("%%LANGUAGE Name = 'MCU' // note\r\n/* two\rlines */ options = 16 or 32"),
              Code(T::Language) + " " + Code(T::Name) + " " + Code(T::Equals) + " 'MCU' " +
                  Code(T::Options) + " " + Code(T::Equals) + " 16 " + Code(T::Or) + " 32");
    EXPECT_EQ(Tokens("%%handler %%handlers %%Handlers"),
              Code(T::Handlers) + " " + Code(T::Handlers) + " " + Code(T::Handlers));
    EXPECT_EQ(Tokens("'a\\nb\\rc\\x41\\'' '\\\r\n    \\continued'"), "'a\rb\ncA'' 'continued'");
    EXPECT_EQ(Tokens("(1)+[2]-,|?*"), Code(T::LParen) + " 1 " + Code(T::RParen) + " " +
                                          Code(T::Plus) + " " + Code(T::LBracket) + " 2 " +
                                          Code(T::RBracket) + " " + Code(T::Minus) + " " +
                                          Code(T::Comma) + " " + Code(T::Bar) + " " +
                                          Code(T::Question) + " " + Code(T::Star));
}

TEST(TLXP_Compiler, PredefinedAndDefinedMacros) {
    EXPECT_EQ(Tokens("clNavy __DEFAULT_OPTIONS caGOTOBOOKMARK9 F12 __STD_C_STRING fsStrikeout"),
              "8388608 67099632 39 123 13 3");
    EXPECT_EQ(Tokens("#define PLUS 2 + 3   \rPLUS #define x 7\rx"), "2 " + Code(T::Plus) + " 3 7");
    EXPECT_EQ(Tokens("#define A B\r#define B 5\rA a"), "5 5") << "macro names ignore case";
    EXPECT_EQ(ErrorOf("#define A B\r#define B A\r  A"),
              "** ERROR near line 3, Column 3: Recursive expansion of macro 'A'");
    EXPECT_EQ(ErrorOf("#define X x\rX"), "** ERROR near line 2, Column 1: Identifier \"X\" Unknown")
        << "a macro defined as itself is not stored";
    EXPECT_EQ(ErrorOf("#define\r"), "** ERROR near line 1, Column 1: Macro name expected");
    std::string bomb;
    for (int level = 0; level < 40; ++level)
        bomb += "#define M" + std::to_string(level) + " M" + std::to_string(level + 1) + " M" +
                std::to_string(level + 1) + "\r";
    bomb += "#define M40 1\rM0";
    EXPECT_EQ(ErrorOf(bomb),
              "** ERROR near line 42, Column 1: Too many macro expansions (more than 1000000) at "
              "macro 'M39'")
        << "macros doubling at every level stop, and the message says which limit";
}

// A chain of plain macros may nest 63 deep; the next one names the limit.
TEST(TLXP_Compiler, MacroNestingLimitIsNamed) {
    auto chain = [](int length) {
        std::string script;
        for (int level = 0; level < length; ++level)
            script += "#define M" + std::to_string(level) + " M" + std::to_string(level + 1) + "\r";
        return script + "#define M" + std::to_string(length) + " 7\rM0";
    };
    EXPECT_EQ(Tokens(chain(62)), "7");
    EXPECT_EQ(ErrorOf(chain(63)), "** ERROR near line 65, Column 1: Macro 'M63' nested too deeply "
                                  "(more than 63 macros and includes)");
}

TEST(TLXP_Compiler, ConditionalCompilation) {
    const std::string script = "#define ON\r"
                               "#ifdef ON 1 #ifndef ON 2 #else 3 #endif #else 4 #endif\r"
                               "#ifdef OFF 5 #ifdef ON 6 #else 7 #endif '#endif' name #else 8 "
                               "#endif 9";
    EXPECT_EQ(Tokens(script), "1 3 8 9");
    EXPECT_EQ(ErrorOf("#ifdef\r"),
              "** ERROR near line 1, Column 1: Macro name expected after #ifdef");
    EXPECT_EQ(Tokens("#ifdef ver200 1 #endif #ifdef _use_ 2 #endif"), "1 2");
    EXPECT_EQ(ErrorOf("#pragma"), "** ERROR near line 1, Column 1: Unknown character in input "
                                  "stream: #$23")
        << "other words after # are no directives";
}

TEST(TLXP_Compiler, IncludeBothNameForms) {
    TempDir dir;
    dir.Write("inc.txt", "#define FROM_INC 42\r'included'");
    std::string folder = dir.Folder();
    folder.pop_back(); // a separator is added when the folder lacks one
    EXPECT_EQ(Tokens("#include <inc.txt>\rFROM_INC", folder), "'included' 42");
    EXPECT_EQ(Tokens("#include \"" + dir.File("inc.txt") + "\" 1"), "'included' 1");
    EXPECT_EQ(ErrorOf("\r  #include <missing.txt>", folder),
              "** ERROR near line 2, Column 3: Unable to open #include file <missing.txt>");
    EXPECT_EQ(ErrorOf("#include \"inc.txt"),
              "** ERROR near line 1, Column 1: #include filename missing terminating \"");
    EXPECT_EQ(ErrorOf("#include inc.txt"), "** ERROR near line 1, Column 1: #include filename "
                                           "not enclosed in \"...\" or <...>");
    dir.Write("self.txt", "#include <self.txt>");
    EXPECT_EQ(ErrorOf("#include <self.txt>", folder),
              "** ERROR near line 1, Column 1: #include <self.txt> nested too deeply (more than "
              "63 macros and includes)")
        << "an include that includes itself ends, naming the limit";
}

TEST(TLXP_Compiler, TokenErrorsAndPositions) {
    struct Case {
        const char* script;
        const char* message;
    };
    const Case cases[] = {
        {"\r\r   @", "** ERROR near line 3, Column 4: Unknown character in input stream: #$40"},
        {"\n\n   @", "** ERROR near line 3, Column 4: Unknown character in input stream: #$40"},
        {"\r\n  foo", "** ERROR near line 2, Column 3: Identifier \"foo\" Unknown"},
        {"  'open", "** ERROR near line 1, Column 3: Unexpected EOF"},
        {"/* open", "** ERROR near line 1, Column 1: Unexpected EOF"},
        {" 99999999999", "** ERROR near line 1, Column 2: Numeric value out of range"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ErrorOf(test.script), test.message) << test.script;
}

TEST(TLXP_Compiler, UngetRestoresTheTokenAndItsPosition) {
    TLXP_Compiler compiler("1\r  2", "");
    EXPECT_EQ(compiler.Next(), T::Number);
    EXPECT_EQ(compiler.Peek(), T::Number);
    EXPECT_EQ(compiler.Line(), 1) << "the position of the token before the peeked one";
    EXPECT_EQ(compiler.Next(), T::Number);
    EXPECT_EQ(compiler.Number(), 2);
    EXPECT_EQ(compiler.Line(), 2);
    EXPECT_EQ(compiler.Column(), 3);
}
