#include "core/highlight/TRestyler.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "support/ParserTestSupport.h"
#include "support/StoreInspection.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace quarno;
using namespace quarno::test;

namespace {

// The token bytes of every character, as a full scan from the start of the
// text gives them (no container second pass).
std::vector<uint8_t> FullScanBytes(TLexipadParser& parser, const std::string& text) {
    TTextStore store;
    Fill(store, text);
    TEdStream stream(store);
    parser.ResetState(0);
    std::vector<uint8_t> bytes;
    while (stream.Pos() < stream.CharCount()) {
        int length = 0;
        int token = parser.NextToken(nullptr, stream, length);
        bytes.insert(bytes.end(), static_cast<size_t>(length), static_cast<uint8_t>(token));
    }
    return bytes;
}

// The bytes the records hold; a record without token bytes reads as 0xEE.
std::vector<uint8_t> StoredBytes(const TTextStore& store) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < store.RecordCount(); ++i) {
        const TLineRecord& record = store.Record(i);
        for (int k = 0; k < record.Length(); ++k)
            bytes.push_back(record.Tokens() ? record.Tokens()[k] : 0xEE);
    }
    return bytes;
}

std::string Describe(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t b : bytes)
        text += std::to_string(b) + " ";
    return text;
}

// "" when the store holds the bytes of a full scan, else where they differ.
std::string CompareWithFullScan(TLexipadParser& parser, const TCustomLexipad& pad) {
    std::vector<uint8_t> stored = StoredBytes(pad.Store());
    std::vector<uint8_t> full = FullScanBytes(parser, pad.Text());
    if (stored == full) return "";
    size_t at = 0;
    while (at < stored.size() && at < full.size() && stored[at] == full[at])
        ++at;
    size_t from = at > 10 ? at - 10 : 0;
    auto window = [from](const std::vector<uint8_t>& bytes) {
        return Describe(
            {bytes.begin() + static_cast<std::ptrdiff_t>(std::min(from, bytes.size())),
             bytes.begin() + static_cast<std::ptrdiff_t>(std::min(from + 20, bytes.size()))});
    };
    return "first difference at " + std::to_string(at) + " in \"" +
           pad.Store().TextRange(static_cast<int>(from), static_cast<int>(from + 20)) +
           "\"\n stored: " + window(stored) + "\n full:   " + window(full);
}

// Block comments that span lines: "/*" enters state 1 (bound, so rescanning
// goes on past changed lines), "*/" leaves it; in state 1 every character is
// a comment token 8.
void BuildMultiLineComments(TLexipadParser& parser) {
    BuildMiniBasic(parser);
    TLP_Language& language = parser.Language();
    language.Keywords().Add("/*", TLP_CharGroup{}, TByteSet{0}, 6);
    language.Keywords().Add("*/", TLP_CharGroup{}, TByteSet{1}, 7);
    TLP_TokenRule comment;
    comment.start.group = Group(language, "[^]");
    comment.states = TByteSet{1};
    comment.token = 8;
    for (int c = 0; c < 256; ++c)
        language.SetStateTokenStart(1, static_cast<uint8_t>(c), comment);
    TLP_Effect open;
    open.allowed = TByteSet{0};
    open.added = TByteSet{1};
    open.removed = TByteSet{0};
    language.SetEffect(6, open);
    TLP_Effect close;
    close.allowed = TByteSet{1};
    close.added = TByteSet{0};
    close.removed = TByteSet{1};
    language.SetEffect(7, close);
    language.SetContextStates(7, TByteSet{1});
    language.SetContextStates(8, TByteSet{1});
    language.SetBoundStates(TByteSet{1});
    parser.ResetState(0);
}

// A store whose records have the given texts and token bytes (an empty byte
// list leaves a record without them).
struct RecordSpec {
    std::string text;
    std::vector<uint8_t> bytes;
    bool continuation = false;
    uint32_t flags = 0;
};

void Build(TTextStore& store, const std::vector<RecordSpec>& records) {
    std::string text;
    for (const RecordSpec& record : records)
        text += record.text;
    Fill(store, text);
    ASSERT_EQ(store.RecordCount(), static_cast<int>(records.size()));
    for (int i = 0; i < store.RecordCount(); ++i) {
        TLineRecord& record = store.Record(i);
        record.SetFlags(records[static_cast<size_t>(i)].flags);
        if (records[static_cast<size_t>(i)].continuation) record.SetMarks(kSoftContinuation);
        const std::vector<uint8_t>& bytes = records[static_cast<size_t>(i)].bytes;
        if (!bytes.empty()) std::copy(bytes.begin(), bytes.end(), record.EnsureTokens());
    }
}

} // namespace

TEST(TRestylerTest, RestartPointComesFromTheLineBefore) {
    struct Case {
        const char* name;
        std::vector<RecordSpec> records;
        TByteSet anchors;
        int firstFlagged;
        TRestyler::TRestart expected;
    };
    const Case cases[] = {
        {"first line", {{"ab\r", {3, 3, 0}}, {"c\r", {3, 0}}}, {0}, 0, {0, 0, 0}},
        {"line before starts with plain text",
         {{"x\r", {3, 0}, false, lfTokenEndsHere}, {"  x\r", {0, 0, 3, 0}}, {"y\r", {3, 0}}},
         {0},
         2,
         {2, 0, 1}},
        // Unless the last scan ended a token before it: a plain token may
        // have run on into it, so the nearest anchor run is taken instead.
        {"plain text that may go on from the line above",
         {{"x\r", {3, 0}}, {"  x\r", {0, 0, 3, 0}}, {"y\r", {3, 0}}},
         {0},
         2,
         {5, 0, 1}},
        {"nearest anchor is the line break",
         {{"ab c\r", {3, 3, 0, 3, 0}}, {"y\r", {3, 0}}},
         {0},
         1,
         {4, 0, 0}},
        {"run of the anchor byte",
         {{"x 12\r", {3, 0, 5, 5, 0}}, {"y\r", {3, 0}}},
         {5},
         1,
         {2, 5, 0}},
        {"run across records",
         {{"a;b\r", {0, 1, 1, 1}}, {"cd\r", {1, 1, 1}}, {"e\r", {3, 0}}},
         {1},
         2,
         {1, 1, 0}},
        {"no anchor at all", {{"ab\r", {3, 3, 3}}, {"c\r", {3, 0}}}, {0}, 1, {0, 0, 0}},
        {"line before without bytes restarts at its first character",
         {{"ab\r", {3, 3, 0}}, {"cd\r", {}}, {"e\r", {3, 0}}},
         {0},
         2,
         {3, 0, 1}},
        {"record without bytes holds no anchor",
         {{"ab\r", {3, 3, 0}}, {"cd\r", {}}, {"ef\r", {3, 3, 3}, true}, {"g\r", {3, 0}}},
         {0},
         3,
         {2, 0, 0}},
        // A continuation a limited run left flagged goes on inside its line
        // when the record before is up to date.
        {"limited run goes on inside its line",
         {{"PRINT ab \r", {12, 12, 12, 12, 12, 0, 3, 3, 0, 0}},
          {"cd\r", {}, true, lfRestyle | lfRestyleFollow}},
         {0},
         1,
         {8, 0, 0}},
        {"not when the record before waits itself",
         {{"PRINT ab \r", {12, 12, 12, 12, 12, 0, 3, 3, 0, 0}, false, lfRestyle},
          {"cd\r", {}, true, lfRestyle | lfRestyleFollow}},
         {0},
         1,
         {0, 0, 0}},
        // Continuation records (marked as such here) belong to the line
        // they continue.
        {"continuation belongs to its line",
         {{"PRINT \r", {12, 12, 12, 12, 12, 0, 0}}, {"x\r", {3, 0}, true}},
         {0},
         1,
         {0, 0, 0}},
        {"line before a wrapped line",
         {{"a\r", {3, 0}}, {"PRINT \r", {12, 12, 12, 12, 12, 0, 0}}, {"x\r", {3, 0}, true}},
         {0},
         2,
         {1, 0, 0}},
        {"line before is wrapped",
         {{"a\r", {3, 0}, false, lfTokenEndsHere},
          {" P\r", {0, 12, 12}},
          {"ab\r", {3, 3, 3}, true},
          {"z\r", {3, 0}}},
         {0},
         3,
         {2, 0, 1}},
        {"wrapped line before, where a token may go on into it",
         {{"a\r", {3, 0}}, {" P\r", {0, 12, 12}}, {"ab\r", {3, 3, 3}, true}, {"z\r", {3, 0}}},
         {0},
         3,
         {1, 0, 0}},
    };
    for (const Case& test : cases) {
        TTextStore store;
        Build(store, test.records);
        TRestyler::TRestart restart =
            TRestyler::FindRestart(store, test.anchors, test.firstFlagged);
        EXPECT_EQ(restart.position, test.expected.position) << test.name;
        EXPECT_EQ(restart.token, test.expected.token) << test.name;
        EXPECT_EQ(restart.record, test.expected.record) << test.name;
    }
}

TEST(TRestylerTest, FullRestyleStoresTheTokensOfEveryCharacter) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    TCustomLexipad pad;
    pad.SetParser(1, &parser);
    const std::string text = "' Comment Line\rPRINT AT 1,2,\"Hello World\", Bin8 Var\r"
                             "DECLARE RSOUT_PIN PORTA.1\rMovlw 10\rLED = 1\r";
    pad.SetText(text);
    EXPECT_EQ(Describe(StoredBytes(pad.Store())), Describe(FullScanBytes(parser, text)));
    for (int i = 0; i < pad.Store().RecordCount(); ++i)
        EXPECT_FALSE(pad.Store().Record(i).Flags() & lfRestyle) << "record " << i;
    ASSERT_EQ(parser.AttachedControls().size(), 1u);
    EXPECT_EQ(parser.AttachedControls()[0], &pad);
}

TEST(TRestylerTest, TokenSeenBracketsEachRescanAndMayChangeValues) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    TCustomLexipad pad;
    std::vector<std::string> seen;
    pad.OnTokenSeen = [&seen](TCustomLexipad&, int& value, int start, int end) {
        seen.push_back(std::to_string(value) + "@" + std::to_string(start) + "-" +
                       std::to_string(end));
        if (value == 5) value = 99; // numbers are shown as token 99
    };
    pad.SetText("x=12\r");
    seen.clear();
    pad.SetParser(1, &parser);
    EXPECT_EQ(seen, (std::vector<std::string>{"-1@-1--1", "3@0-1", "0@1-2", "5@2-4", "0@4-5",
                                              "-2@-2--2"}));
    EXPECT_EQ(Describe(StoredBytes(pad.Store())), "3 0 99 99 0 ");
}

TEST(TRestylerTest, RescanStopsAtTheFirstUnchangedLine) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    TCustomLexipad pad;
    pad.SetVisibleSize(80, 3);
    pad.SetParser(1, &parser);
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "PRINT x\r";
    pad.SetText(text);
    int tokens = 0;
    pad.OnTokenSeen = [&tokens](TCustomLexipad&, int& value, int, int) { tokens += value >= 0; };
    int line = pad.LineIndex(1000);
    pad.SetSelection(line, line);
    pad.ReplaceSelection("REM ");
    EXPECT_GT(tokens, 0);
    EXPECT_LT(tokens, 60) << "the rescan went on past unchanged lines";
    EXPECT_EQ(CompareWithFullScan(parser, pad), "");
}

TEST(TRestylerTest, BoundStatesCarryTheRescanIntoUnchangedLines) {
    TLexipadParser parser;
    BuildMultiLineComments(parser);
    TCustomLexipad pad;
    pad.SetVisibleSize(80, 3);
    pad.SetParser(1, &parser);
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "x = 1\r";
    pad.SetText(text);
    pad.SetSelection(6, 6);
    pad.ReplaceSelection("/*");
    const TLineRecord& last = pad.Store().Record(99);
    ASSERT_TRUE(last.Tokens());
    EXPECT_EQ(last.Tokens()[0], 8);
    EXPECT_EQ(CompareWithFullScan(parser, pad), "");
    pad.Undo();
    EXPECT_EQ(pad.Store().Record(99).Tokens()[0], 3);
    EXPECT_EQ(CompareWithFullScan(parser, pad), "");
}

// Random edits, undos and redos: after each step the stored bytes equal
// those of a full scan of the whole text.
TEST(TRestylerTest, IncrementalRestyleEqualsAFullScan) {
    const char* fragments[] = {
        "REM ",         "'",      ";",    "\r",     "\"", "$1F", "%10", "PRINT",   " ",     "  ",
        "ON INTERRUPT", "ON",     "x",    "1.5e-3", "1.", "/*",  "*/",  "REMARKS", "PORTA", ".",
        "\r\r",         "ab\rcd", "chr$", "{",      "*",  "/"};
    // 0: BASIC rules; 1: multi-line comments; 2: BASIC rules with word wrap,
    // so lines continue in further records; 3: the shipped BASIC dialect.
    for (int language = 0; language < 4; ++language) {
        TLexipadParser parser;
        if (language == 1)
            BuildMultiLineComments(parser);
        else if (language == 3)
            parser.Assign(*MakeShippedParser("basic"));
        else
            BuildMiniBasic(parser);
        TCustomLexipad pad;
        pad.SetVisibleSize(80, 4);
        pad.SetParser(1, &parser);
        if (language == 2) {
            pad.SetWrapAtColumn(6);
            pad.SetOptions(pad.Options() | smoWordWrap);
        }
        std::mt19937 random(77 + static_cast<unsigned>(language));
        auto pick = [&random](int n) {
            return static_cast<int>(random() % static_cast<unsigned>(n));
        };
        std::string text;
        for (int i = 0; i < 60; ++i)
            text += std::string(fragments[pick(26)]) + (pick(3) == 0 ? "\r" : "");
        pad.SetText(text);
        for (int step = 0; step < 400; ++step) {
            int choice = pick(10);
            if (choice == 0 && pad.CanUndo()) {
                pad.Undo();
            } else if (choice == 1 && pad.CanRedo()) {
                pad.Redo();
            } else {
                int start = pick(pad.CharCount() + 1);
                int end = std::min(pad.CharCount(), start + pick(3) * pick(8));
                pad.SetSelection(start, end);
                std::string insert;
                for (int n = pick(3); n > 0; --n)
                    insert += fragments[pick(26)];
                pad.ReplaceSelection(insert);
            }
            ASSERT_EQ(CompareWithFullScan(parser, pad), "")
                << "language " << language << " step " << step;
            if (language == 2 && step == 0) {
                int continuations = 0;
                for (int i = 0; i < pad.Store().RecordCount(); ++i)
                    continuations += pad.Store().Record(i).IsContinuation();
                ASSERT_GT(continuations, 3) << "too few lines were wrapped";
            }
        }
    }
}

TEST(TRestylerTest, LongLinesSplitIntoRecordsRestyleLikeAFullScan) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    TCustomLexipad pad;
    pad.SetParser(1, &parser);
    std::string line;
    while (line.size() < 5000)
        line += "PRINT $1F ON INTERRUPT ";
    pad.SetText(line + "\r" + line + "\r");
    ASSERT_GT(pad.Store().RecordCount(), 4);
    EXPECT_EQ(CompareWithFullScan(parser, pad), "");
    for (int position : {2046, 2047, 2048, 4094, 4095, 5100}) {
        pad.SetSelection(position, position);
        pad.ReplaceSelection("x");
        EXPECT_EQ(CompareWithFullScan(parser, pad), "") << "insert at " << position;
        pad.SetSelection(position, position + 1);
        pad.ReplaceSelection("");
        EXPECT_EQ(CompareWithFullScan(parser, pad), "") << "delete at " << position;
    }
}

TEST(TRestylerTest, CustomHandlersWithoutTheirEventScanNothing) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    parser.Language().SetCustomHandlers(true);
    TCustomLexipad pad;
    std::vector<int> markers;
    pad.OnTokenSeen = [&markers](TCustomLexipad&, int& value, int, int) {
        markers.push_back(value);
    };
    pad.SetText("PRINT x\r");
    pad.SetParser(1, &parser);
    EXPECT_EQ(markers, (std::vector<int>{-1, -2}));
    EXPECT_EQ(pad.Store().Record(0).Tokens(), nullptr);
    EXPECT_TRUE(pad.Store().Record(0).Flags() & lfRestyle);
    parser.OnCustomParse = [](TLexipadParser&, int, TEdStream&, int&, int&) { return false; };
    pad.Restyle();
    ASSERT_NE(pad.Store().Record(0).Tokens(), nullptr);
    EXPECT_EQ(pad.Store().Record(0).Tokens()[0], 12);
}

TEST(TRestylerTest, ContainerIsScannedAgainWithItsOwnStates) {
    TLexipadParser parser;
    TLP_Language& language = parser.Language();
    TLP_TokenRule string;
    string.start.group = Group(language, "\"");
    string.continuation = GroupPart(language, "[^\"]", 1);
    string.terminator = Terminator(language, {"\""}, 1);
    string.states = TByteSet{0};
    string.token = 4;
    language.SetTokenStart('"', string);
    language.Keywords().Add("\\n", TLP_CharGroup{}, TByteSet{3}, 11);
    TLP_Effect effect;
    effect.allowed = TByteSet{0};
    effect.added = TByteSet{3};
    effect.removed = TByteSet{0};
    effect.context = 1;
    language.SetEffect(4, effect);
    TCustomLexipad pad;
    pad.SetText("x\"a\\nb\"y\r");
    pad.SetParser(1, &parser);
    EXPECT_EQ(Describe(StoredBytes(pad.Store())), "0 4 4 11 11 4 4 0 0 ");
    EXPECT_FALSE(parser.Busy());
}

// Runs of characters that come out as plain one-character tokens are taken
// in one step; they must come out as a token-by-token scan has them, where
// a rule takes a character only in some states and, in the second language,
// every plain token gives back the states an "on" saved; in the third the
// rule comes from the token table of state 1 only.
TEST(TRestylerTest, PlainRunsComeOutAsATokenByTokenScanHasThem) {
    for (int variant : {0, 1, 2}) {
        const bool plainHasEffect = variant == 1;
        TLexipadParser parser;
        TLP_Language& language = parser.Language();
        TLP_TokenRule rule; // "x" is a token of its own in state 1 only
        rule.start.group = Group(language, "x");
        rule.states = TByteSet{1};
        rule.token = 5;
        if (variant == 2)
            language.SetStateTokenStart(1, 'x', rule);
        else
            language.SetTokenStart('x', rule);
        language.Keywords().Add("on", TLP_CharGroup{}, TByteSet{0, 1}, 7);
        language.Keywords().Add("off", TLP_CharGroup{}, TByteSet{0, 1}, 8);
        TLP_Effect on;
        on.allowed = TByteSet{0, 1};
        on.added = TByteSet{1};
        on.stackFlags = TLP_Effect::kPushBefore;
        language.SetEffect(7, on);
        TLP_Effect off = on;
        off.added = TByteSet{};
        off.removed = TByteSet{1};
        language.SetEffect(8, off);
        if (plainHasEffect) {
            TLP_Effect plain;
            plain.allowed = TByteSet{0, 1};
            plain.noChange = 1;
            plain.stackFlags = TLP_Effect::kPopAfter;
            language.SetEffect(0, plain);
        }
        std::mt19937 random(11);
        const char* const pieces[] = {"on", "onon", "off", "x", "xx", " ", "   ", "a", "\r"};
        for (int round = 0; round < 60; ++round) {
            std::string text;
            for (int i = 0; i < 40; ++i)
                text += pieces[random() % std::size(pieces)];
            TCustomLexipad pad;
            pad.SetParser(1, &parser);
            pad.SetText(text);
            ASSERT_EQ(Describe(StoredBytes(pad.Store())),
                      Describe(FullScanBytes(parser, pad.Text())))
                << "round " << round << ", language " << variant;
        }
    }
}

TEST(TRestylerTest, LinesWhoseBytesChangeAreFlaggedForRepaint) {
    TLexipadParser parser;
    BuildMultiLineComments(parser);
    TCustomLexipad pad;
    pad.SetVisibleSize(80, 1);
    pad.SetParser(1, &parser);
    pad.SetText("a\rb\rc\rd\re\rf\rg\r");
    for (int i = 0; i < 7; ++i)
        pad.Store().Record(i).ClearFlags(lfRepaint);
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("/*");
    ASSERT_FALSE(pad.Store().Record(6).Flags() & lfRestyle);
    EXPECT_TRUE(pad.Store().Record(6).Flags() & lfRepaint);
    EXPECT_EQ(pad.Store().Record(6).Tokens()[0], 8);
}

TEST(TRestylerTest, ControlsAttachAndDetach) {
    auto parser = std::make_unique<TLexipadParser>();
    BuildMiniBasic(*parser);
    TCustomLexipad other;
    {
        TCustomLexipad pad;
        pad.SetParser(2, parser.get());
        EXPECT_EQ(parser->AttachedControls().size(), 1u) << "a slot holder is known at once";
        pad.SetActiveParser(2);
        pad.SetText("x\r");
        EXPECT_EQ(parser->AttachedControls().size(), 1u);
        // A control that does not hold the parser is not remembered.
        TTextStore store;
        Fill(store, "y");
        TEdStream stream(store);
        int length = 0;
        parser->NextToken(&other, stream, length);
        EXPECT_EQ(parser->AttachedControls().size(), 1u);
    }
    EXPECT_TRUE(parser->AttachedControls().empty()) << "a destroyed control detaches";

    other.SetParser(1, parser.get());
    other.SetText("PRINT\r");
    ASSERT_EQ(parser->AttachedControls().size(), 1u);
    EXPECT_TRUE(parser->ReapplyToControls());
    parser.reset();
    EXPECT_EQ(other.Parser(1), nullptr) << "a destroyed parser leaves its slots";
}

namespace {

// Records whose restyle flags or bytes differ between two stores of the same
// text; "" when none do.
std::string CompareRecords(const TTextStore& idle, const TTextStore& full) {
    if (idle.RecordCount() != full.RecordCount()) return "record counts differ";
    for (int i = 0; i < idle.RecordCount(); ++i) {
        const TLineRecord& a = idle.Record(i);
        const TLineRecord& b = full.Record(i);
        if (a.Flags() != b.Flags())
            return "flags of record " + std::to_string(i) + ": " + std::to_string(a.Flags()) +
                   " instead of " + std::to_string(b.Flags());
        if (!a.Tokens() != !b.Tokens()) return "token bytes of record " + std::to_string(i);
    }
    return "";
}

std::string LongSample(std::mt19937& random, int lines) {
    const char* statements[] = {"PRINT x\r",      "REM note\r", "x = $1F + %10\r", "/* a\r",
                                "b */ y = 1.5\r", "' c\r",      "\"text\r",        "ON ab\r"};
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += statements[random() % std::size(statements)];
    return text;
}

void Drain(TCustomLexipad& pad) {
    for (int guard = 0; pad.RestyleSlice() && guard < 100000; ++guard) {
    }
}

} // namespace

// Idle highlighting in slices of random sizes, with edits, scrolling and
// rows drawn in between, ends where a complete restyle after every step
// ends: the same bytes in every record and the same flags.
TEST(TRestylerTest, IdleRestyleEqualsAFullScan) {
    const char* fragments[] = {"REM ", "'", "\r", "\"", "$1F", "PRINT", " ", "/*", "*/", "x\ry"};
    for (int language = 0; language < 4; ++language) {
        // A parser each: the settings (and so the wrap column) are the parser's.
        TLexipadParser parser;
        TLexipadParser fullParser;
        for (TLexipadParser* each : {&parser, &fullParser}) {
            if (language == 1)
                BuildMultiLineComments(*each);
            else if (language == 3)
                each->Assign(*MakeShippedParser("basic"));
            else
                BuildMiniBasic(*each);
        }
        TCustomLexipad idle;
        TCustomLexipad full;
        idle.SetIdleRestyle(true);
        idle.SetParser(1, &parser);
        full.SetParser(1, &fullParser);
        for (TCustomLexipad* pad : {&idle, &full}) {
            pad->SetVisibleSize(80, 20);
            if (language == 2) {
                pad->SetWrapAtColumn(9);
                pad->SetOptions(pad->Options() | smoWordWrap);
            }
        }
        std::mt19937 random(5 + static_cast<unsigned>(language));
        auto pick = [&random](int n) {
            return static_cast<int>(random() % static_cast<unsigned>(n));
        };
        const std::string text = LongSample(random, 12000);
        idle.SetText(text);
        full.SetText(text);
        ASSERT_TRUE(idle.RestylePending()) << "language " << language;
        for (int step = 0; step < 150; ++step) {
            for (int slices = pick(4); slices > 0; --slices)
                idle.RestyleSlice(1 + pick(6000));
            int choice = pick(8);
            if (choice == 0) {
                idle.SetTopLine(pick(idle.LineCount()));
            } else if (choice == 1) {
                int first = pick(idle.LineCount());
                idle.StyleRecords(first, first + pick(60));
            } else if (choice == 2 && language == 2) {
                for (TCustomLexipad* pad : {&idle, &full})
                    pad->SetWrapAtColumn(pad->WrapAtColumn() == 9 ? 14 : 9);
            } else {
                int start = pick(idle.CharCount() + 1);
                int end = std::min(idle.CharCount(), start + pick(3) * pick(8));
                std::string insert;
                for (int n = pick(3); n > 0; --n)
                    insert += fragments[pick(10)];
                for (TCustomLexipad* pad : {&idle, &full}) {
                    pad->SetSelection(start, end);
                    pad->ReplaceSelection(insert);
                }
            }
            ASSERT_EQ(CheckInvariants(idle.Store()), "") << "language " << language;
        }
        Drain(idle);
        EXPECT_FALSE(idle.RestylePending());
        EXPECT_EQ(CompareWithFullScan(parser, idle), "") << "language " << language;
        EXPECT_EQ(CompareRecords(idle.Store(), full.Store()), "") << "language " << language;
    }
}

// After loading, only the rows shown and a page below them are highlighted;
// rows drawn far below start from the line before them, not from the top.
TEST(TRestylerTest, LoadHighlightsTheRowsShownFirst) {
    auto parser = MakeShippedParser("basic");
    TCustomLexipad pad;
    pad.SetIdleRestyle(true);
    pad.SetVisibleSize(80, 30);
    pad.SetParser(1, parser.get());
    std::mt19937 random(3);
    const std::string text = LongSample(random, 20000);
    int tokens = 0;
    pad.OnTokenSeen = [&tokens](TCustomLexipad&, int& value, int, int) { tokens += value >= 0; };
    pad.SetText(text);
    EXPECT_TRUE(pad.RestylePending());
    const TTextStore& store = pad.Store();
    EXPECT_NE(store.Record(59).Tokens(), nullptr);
    EXPECT_EQ(store.Record(200).Tokens(), nullptr);
    EXPECT_LT(tokens, 1000) << "the load highlighted more than the rows shown";

    tokens = 0;
    const int last = store.RecordCount() - 1;
    pad.StyleRecords(last - 29, last);
    EXPECT_LT(tokens, 600) << "rows at the end were highlighted from far above";
    EXPECT_EQ(store.Record(last - 100).Tokens(), nullptr);
    const std::vector<uint8_t> expected = FullScanBytes(*parser, text);
    for (int record = last - 29; record <= last; ++record) {
        ASSERT_NE(store.Record(record).Tokens(), nullptr) << "record " << record;
        const int start = store.RecordStart(record);
        for (int k = 0; k < store.Record(record).Length(); ++k)
            ASSERT_EQ(store.Record(record).Tokens()[k], expected[static_cast<size_t>(start + k)])
                << "record " << record << " offset " << k;
    }
    Drain(pad);
    EXPECT_EQ(CompareWithFullScan(*parser, pad), "");
}

// A line longer than a slice is highlighted in pieces, each going on where
// the last stopped, so the whole line is scanned about once.
TEST(TRestylerTest, LongLineIsHighlightedOncePiecebyPiece) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    std::string line;
    while (line.size() < 300000)
        line += "PRINT $1F ON x ";
    line += "\r";
    TCustomLexipad pad;
    pad.SetParser(1, &parser);
    int once = 0;
    pad.OnTokenSeen = [&once](TCustomLexipad&, int& value, int, int) { once += value >= 0; };
    pad.SetText(line);
    TCustomLexipad idle;
    idle.SetIdleRestyle(true);
    idle.SetVisibleSize(80, 10);
    idle.SetParser(1, &parser);
    int pieces = 0;
    idle.OnTokenSeen = [&pieces](TCustomLexipad&, int& value, int, int) { pieces += value >= 0; };
    idle.SetText(line);
    int slices = 0;
    while (idle.RestyleSlice(5000))
        ++slices;
    EXPECT_GT(slices, 20);
    EXPECT_LT(pieces, once + once / 10);
    EXPECT_EQ(CompareWithFullScan(parser, idle), "");
}

// Lines the language cannot scan now stay flagged, and idle time stops.
TEST(TRestylerTest, IdleRestyleStopsWhenNothingCanBeScanned) {
    TLexipadParser parser;
    BuildMiniBasic(parser);
    parser.Language().SetCustomHandlers(true);
    TCustomLexipad pad;
    pad.SetIdleRestyle(true);
    std::mt19937 random(9);
    pad.SetText(LongSample(random, 20000));
    pad.SetParser(1, &parser);
    EXPECT_FALSE(pad.RestylePending());
    EXPECT_FALSE(pad.RestyleSlice());
    EXPECT_TRUE(pad.Store().Record(0).Flags() & lfRestyle);
}
