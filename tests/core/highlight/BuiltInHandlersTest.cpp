#include "core/highlight/BuiltInHandlers.h"
#include "core/highlight/TParserCursor.h"
#include "support/ParserTestSupport.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

struct HandlerCase {
    int32_t handler;
    std::string text;
    int from;  // where the cursor (and the token) starts
    int taken; // characters taken, -1 for a failure
};

// Runs a handler at from; answers the characters taken or -1, and checks that
// a failure leaves cursor and length alone.
int RunHandler(const HandlerCase& test) {
    TTextStore store;
    test::Fill(store, test.text);
    TEdStream stream(store);
    stream.Seek(test.from, TSeekOrigin::soBeginning);
    TParserCursor cursor(stream);
    int length = 5;
    bool ok = RunBuiltInHandler(test.handler, cursor, length, test.from);
    if (ok) {
        EXPECT_EQ(length - 5, cursor.Position() - test.from) << "length and cursor disagree";
        return cursor.Position() - test.from;
    }
    EXPECT_EQ(length, 5);
    EXPECT_EQ(cursor.Position(), test.from);
    return -1;
}

} // namespace

TEST(BuiltInHandlersTest, TakeWhatEachRoutineDescribes) {
    const HandlerCase cases[] = {
        // _PASCAL_CHAR: one character; a quote only doubled; never a CR.
        {0, "ab", 0, 1},
        {0, "''x", 0, 2},
        {0, "'x", 0, -1},
        {0, "\rx", 0, -1},
        {0, "a", 1, -1},
        // _WEB_CHAR: address characters, a final full stop given back.
        {1, "www.x.org. y", 0, 9},
        {1, "a-b:c/d?e=f&g#h~i|j\\k_l z", 0, 23},
        {1, ".", 0, -1},
        {1, " x", 0, -1},
        // _ORIGINAL_CHAR: the rest of a line, only from a line start.
        {2, "abc\rdef", 0, 3},
        {2, "abc\rdef", 4, 3},
        {2, "abc\rdef", 1, -1},
        // Identifiers.
        {10, "_a1 x", 0, 3},
        {10, "Print2_x(", 0, 8},
        {10, "1a", 0, -1},
        // Numbers: a fraction needs a digit after the full stop, an exponent
        // needs digits after the e and its sign.
        {11, "1.5e-3x", 0, 6},
        {11, "1.a", 0, 1},
        {11, "12e", 0, 2},
        {11, "12e+", 0, 2},
        {11, "1E+5", 0, 4},
        {11, "1.5.6", 0, 3},
        {11, ".5", 0, -1},
        // Pascal strings: a doubled quote stays inside; a CR ends them.
        {12, "'it''s' x", 0, 7},
        {12, "'abc\rdef'", 0, 4},
        {12, "'abc", 0, 4},
        {12, "abc", 0, -1},
        // C strings: the closing quote belongs to them, a backslash escapes,
        // an escaped CR continues the string.
        {13, "\"Hello\" x", 0, 7},
        {13, "\"Hello\rx", 0, 6},
        {13, "\"a\\\"b\" c", 0, 6},
        {13, "\"a\\\rb\" c", 0, 6},
        {13, "\"abc", 0, 4},
        {13, "'a'", 0, -1},
        {14, "'a\\'b' c", 0, 6},
        {20, "'x' c", 0, 3},
        {20, "\"x\"", 0, -1},
        // Signed numbers.
        {15, "-1.5 x", 0, 4},
        {15, "+7", 0, 2},
        {15, "+x", 0, -1},
        {15, "-", 0, -1},
        // Digits.
        {16, "123a", 0, 3},
        {16, "a1", 0, -1},
        // Mail addresses need an at sign; a final full stop is given back.
        {17, "me@x.org. y", 0, 8},
        {17, "abc.def y", 0, -1},
        // HTML strings end after the quote, or after the CR without one.
        {18, "\"abc\" x", 0, 5},
        {18, "\"abc\rx", 0, 5},
        {18, "\"abc", 0, 4},
        // Line comments leave "-->" for the next token.
        {19, "// a --> b", 0, 5},
        {19, "// a ---> b", 0, 6},
        {19, "// a -- b\rx", 0, 9},
        {19, "\rx", 0, -1},
        // Numbers without a routine.
        {3, "abc", 0, -1},
        {21, "abc", 0, -1},
        {-1, "abc", 0, -1},
    };
    for (const HandlerCase& test : cases)
        EXPECT_EQ(RunHandler(test), test.taken)
            << "handler " << test.handler << " on \"" << test.text << "\" from " << test.from;
}

TEST(BuiltInHandlersTest, NoRoutineReadsPastTheEnd) {
    // Every routine on every prefix of awkward texts ends inside the text.
    const std::string texts[] = {"\"", "'", "\\", "1.", "1e", "--", "a@", "\"\\", "'\\"};
    for (int32_t handler : {0, 1, 2, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}) {
        for (const std::string& text : texts) {
            HandlerCase test{handler, text, 0, 0};
            int taken = RunHandler(test);
            EXPECT_LE(taken, static_cast<int>(text.size())) << handler << " " << text;
        }
    }
}

TEST(BuiltInHandlersTest, RunsGoOnAcrossARecordSplit) {
    // A line longer than a record is split without a line break; a run that
    // reaches the split goes on in the next record, and one that ends just
    // before it stops there.
    const std::string letters(3000, 'a');
    const std::string digits(3000, '7');
    const HandlerCase cases[] = {
        {10, letters + " x", 0, 3000},
        {10, letters + " x", 2040, 960},
        {10, std::string(2046, ' ') + "ab cd", 2046, 2},
        {10, std::string(2045, ' ') + "ab cd", 2045, 2},
        {11, digits + ".5e+3 x", 0, 3005},
        {11, digits + ".x", 100, 2900},
        {2, letters + "\rdef", 0, 3000},
        {17, std::string(2040, 'm') + "@host.org. x", 0, 2049},
    };
    for (const HandlerCase& test : cases)
        EXPECT_EQ(RunHandler(test), test.taken)
            << "handler " << test.handler << " from " << test.from << " of " << test.text.size();
}
