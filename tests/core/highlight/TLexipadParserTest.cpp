#include "core/highlight/TLexipadParser.h"
#include "core/base/TMemoryStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TCompressor.h"
#include "core/highlight/TRegistryStore.h"
#include "core/lexicon/CharSpecifiers.h"
#include "core/settings/SettingsRegistryText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>

using namespace quarno;

namespace {

uint16_t Group(TLP_Language& language, const char* specifier) {
    return language.Groups().Add(ParseCharSpecifiers(specifier).at(0));
}

TLP_MatchPart HandlerPart(int32_t number, bool custom = false) {
    TLP_MatchPart part;
    part.hasHandler = true;
    part.custom = custom;
    part.handler = number;
    return part;
}

// A language that uses every table of the stream.
void FillSample(TLP_Language& language, int extraKeywords = 0) {
    language.Settings().SetLanguageName("SAMPLE");
    language.Settings().SetStyle(4, {0, 0xFF0000, 0xFFFFFF, 0, 0, 0, 1});
    language.Settings().SetTokenStyle(4, 4);
    language.Settings().AddEditableStyle("String", 4);
    TLP_CharGroup notWord = ParseCharSpecifiers("[^A-Za-z0-9_]").at(0);
    language.Keywords().Add("rem", TLP_CharGroup{}, TByteSet{0}, 1);
    language.Keywords().Add("print", notWord, TByteSet{0, 1}, 12);
    for (int i = 0; i < extraKeywords; ++i)
        language.Keywords().Add("word" + std::to_string(i), notWord, TByteSet{0}, 8);

    TLP_HandlerRecord comment;
    comment.continuation.repeat = 1;
    comment.continuation.group = Group(language, "[^\\n]");
    comment.terminator.count = 1;
    comment.terminator.groups[0] = Group(language, "\\n");
    language.SetHandler(1, comment);
    TLP_HandlerRecord custom;
    custom.continuation = HandlerPart(700, true);
    language.SetHandler(9, custom);

    TLP_TokenRule identifier;
    identifier.start = HandlerPart(10);
    identifier.start.repeat = 7;               // kept as read
    identifier.continuation = HandlerPart(99); // unused: never checked
    identifier.states = TByteSet{0};
    identifier.token = 3;
    for (int c = 'a'; c <= 'z'; ++c)
        language.SetTokenStart(static_cast<uint8_t>(c), identifier);
    TLP_TokenRule string;
    string.start.group = Group(language, "\"");
    string.continuation.group = Group(language, "[^\"]");
    string.terminator.include = 1;
    string.terminator.count = 2;
    string.terminator.groups = {Group(language, "\""), Group(language, "[^\"]"), 0, 0};
    string.states = TByteSet{0, 1};
    string.token = 4;
    language.SetTokenStart('"', string);

    language.SetContextStates(4, TByteSet{1});
    language.SetContextStates(5, TByteSet{});
    TLP_Effect effect;
    effect.allowed = TByteSet{0};
    effect.added = TByteSet{1};
    effect.removed = TByteSet{0};
    effect.context = 1;
    effect.stackFlags = TLP_Effect::kPushBefore | TLP_Effect::kPopAfter;
    language.SetEffect(4, effect);
    language.SetStateTokenStart(1, '"', string);
    language.SetStateTokenStart(1, 'x', identifier);
    language.AddStateTable(7);
    language.SetAnchors(TByteSet{0, 1});
    language.SetBoundStates(TByteSet{1});
    language.SetCustomHandlers(true);
}

std::string Block(const TLexipadParser& parser) {
    TMemoryStream stream;
    parser.WriteParserData(stream);
    return stream.Bytes();
}

std::string Inner(const TLP_Language& language) {
    TMemoryStream stream;
    language.WriteInner(stream);
    return stream.Bytes();
}

// A block around the given inner bytes.
std::string BlockAround(const std::string& inner, uint16_t version = 51) {
    TMemoryStream block;
    WriteUInt16(block, version);
    WriteInt32(block, static_cast<int32_t>(inner.size()));
    TMemoryStream in(inner);
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetInputStream(&in);
    compressor.SetOutputStream(&block);
    compressor.Compress();
    return block.Bytes();
}

std::string ReadMessage(TLexipadParser& parser, const std::string& block) {
    TMemoryStream stream(block);
    try {
        parser.ReadParserData(stream);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(read)";
}

class FakeRegistry : public TRegistryStore {
public:
    std::map<std::string, std::string> strings, binaries;
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        return Find(strings, key + "\\" + name);
    }
    void WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        strings[key + "\\" + name] = value;
    }
    std::optional<std::string> ReadBinary(const std::string& key,
                                          const std::string& name) override {
        return Find(binaries, key + "\\" + name);
    }
    void WriteBinary(const std::string& key, const std::string& name,
                     const std::string& bytes) override {
        binaries[key + "\\" + name] = bytes;
    }

private:
    static std::optional<std::string> Find(const std::map<std::string, std::string>& values,
                                           const std::string& path) {
        auto found = values.find(path);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
};

} // namespace

TEST(TLexipadParser, WritingWhatWasReadGivesTheSameBlock) {
    TLexipadParser parser("Parser1");
    FillSample(parser.Language());
    std::string block = Block(parser);
    EXPECT_EQ(block.substr(0, 2), std::string("\x33\x00", 2));

    TLexipadParser read("Parser2");
    TMemoryStream stream(block);
    read.ReadParserData(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(Block(read), block);
    EXPECT_EQ(Inner(read.Language()), Inner(parser.Language()));

    const TLP_Language& language = read.Language();
    EXPECT_EQ(read.LastBlock().version, 51);
    EXPECT_EQ(read.LastBlock().innerSize, static_cast<int32_t>(Inner(language).size()));
    EXPECT_EQ(read.LastBlock().blocks, 1);
    EXPECT_EQ(language.Keywords().Count(), 2);
    EXPECT_EQ(language.HandlerCount(), 2);
    EXPECT_EQ(language.TokenStartCount(), 27);
    EXPECT_EQ(language.ContextStateCount(), 2);
    EXPECT_EQ(language.EffectCount(), 1);
    EXPECT_EQ(language.StatesWithTables(), (TByteSet{1, 7}));
    EXPECT_EQ(language.ContextStates(5), TByteSet{});
    EXPECT_EQ(language.ContextStates(6), TByteSet{0}) << "tokens without an entry: start states";
    EXPECT_EQ(*language.TokenStart('"'), *parser.Language().TokenStart('"'));
    EXPECT_EQ(language.TokenStart('q')->start.repeat, 7);
    EXPECT_EQ(*language.StateTokenStart(1, 'x'), *parser.Language().TokenStart('x'));
    EXPECT_EQ(language.StateTokenStart(7, 'x'), nullptr);
    EXPECT_EQ(*language.Handler(9), *parser.Language().Handler(9));
    EXPECT_TRUE(language.CustomHandlers());
    EXPECT_EQ(language.Groups().Count(), parser.Language().Groups().Count())
        << "equal groups share one index";
    EXPECT_EQ(language.Settings().LanguageName(), "SAMPLE");
}

TEST(TLexipadParser, LargeInnerStreamsSpanSeveralBlocks) {
    TLexipadParser parser("Parser1");
    FillSample(parser.Language(), 3000);
    std::string block = Block(parser);
    TLexipadParser read;
    TMemoryStream stream(block);
    read.ReadParserData(stream);
    int32_t inner = read.LastBlock().innerSize;
    EXPECT_GT(inner, 3 * 32768);
    EXPECT_EQ(read.LastBlock().blocks, inner / 32768 + 1);
    EXPECT_EQ(read.Language().Keywords().Count(), 3002);
    EXPECT_EQ(Block(read), block);
}

TEST(TLexipadParser, EmptyLanguageRoundTrips) {
    TLexipadParser parser;
    std::string block = Block(parser);
    TLexipadParser read;
    TMemoryStream stream(block);
    read.ReadParserData(stream);
    EXPECT_EQ(Block(read), block);
    EXPECT_EQ(read.Language().Keywords().Count(), 0);
    EXPECT_EQ(read.Language().StartStates(), TByteSet{0});
}

TEST(TLexipadParser, Version50HasNoGutterFont) {
    TLexipadParser parser("Parser1");
    FillSample(parser.Language());
    parser.Settings().SetGutterFont({"Other", 12, 0, 0, 0});
    std::string inner = Inner(parser.Language());
    TMemoryStream v51, v50;
    parser.Settings().WriteTo(v51, 51);
    parser.Settings().WriteTo(v50, 50);
    std::string old = v50.Bytes() + inner.substr(v51.Bytes().size());
    TLexipadParser read;
    EXPECT_EQ(ReadMessage(read, BlockAround(old, 50)), "(read)");
    EXPECT_EQ(read.LastBlock().version, 50);
    EXPECT_EQ(read.Settings().GutterFont(), TLP_Settings().GutterFont());
    EXPECT_EQ(read.Language().TokenStartCount(), 27);
}

TEST(TLexipadParser, OlderVersionsTakeTheVersionErrorPath) {
    TLexipadParser source;
    FillSample(source.Language());
    std::string block = Block(source);
    block[0] = 49;
    const std::string expected =
        "MCUBASIC: DFM file saved by different version of TLexipadParser.\n\r"
        "Recompile script to update DFM file.\n\rExpected version was 51 read version was 49";

    TLexipadParser loading("MCUBASIC");
    FillSample(loading.Language());
    loading.SetLoading(true);
    TMemoryStream stream(block);
    try {
        loading.ReadParserData(stream);
        FAIL() << "no version error";
    } catch (const ELexipadParserError& error) {
        EXPECT_EQ(error.what(), expected);
    }
    EXPECT_EQ(loading.Language().TokenStartCount(), 0) << "left empty";

    TLexipadParser running("MCUBASIC");
    std::vector<std::string> calls;
    running.OnInformation = [&](const std::string& text) { calls.push_back(text); };
    EXPECT_EQ(ReadMessage(running, block), "(read)");
    EXPECT_EQ(calls, std::vector<std::string>{expected});
    running.OnParserVersionError = [&](TLexipadParser& sender, uint16_t read, uint16_t wanted) {
        calls.push_back(sender.Name() + " " + std::to_string(read) + " " + std::to_string(wanted));
    };
    EXPECT_EQ(ReadMessage(running, block), "(read)");
    EXPECT_EQ(calls.back(), "MCUBASIC 49 51");
    EXPECT_EQ(running.Language().Keywords().Count(), 0);
}

TEST(TLexipadParser, DataNoWriterProducesIsRejected) {
    TLexipadParser sample;
    FillSample(sample.Language());
    TMemoryStream head;
    sample.Settings().WriteTo(head);
    sample.Language().Keywords().WriteTo(head);
    const std::string prefix = head.Bytes();

    auto group = [](int32_t ranges) {
        TMemoryStream s;
        TByteSet{'a'}.WriteTo(s);
        WriteInt32(s, ranges);
        WriteByte(s, 0);
        return s.Bytes();
    };
    auto handlerTable = [&](const std::string& record) {
        TMemoryStream s;
        WriteInt32(s, 1);
        WriteByte(s, 1);
        s.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
        return s.Bytes();
    };
    // Part A with a group of the given range count and an optional handler.
    auto partA = [&](int32_t ranges, int handler, bool custom) {
        std::string bytes = std::string(1, '\0') + group(ranges);
        if (handler < 0) return bytes + std::string(1, '\0');
        TMemoryStream s;
        WriteByte(s, 1);
        WriteByte(s, custom ? 1 : 0);
        WriteInt32(s, handler);
        return bytes + s.Bytes();
    };
    const std::string noTerminator("\x00\x00\x00", 3);
    struct Case {
        const char* name;
        std::string tables;
        const char* message;
    };
    const Case cases[] = {
        {"handler number without a routine", handlerTable(partA(0, 5, false) + noTerminator),
         "Parser1: Invalid handler number (5)"},
        {"character ranges", handlerTable(partA(1, -1, false) + noTerminator),
         "Parser1: Invalid character group (range count 1)"},
        {"terminator of five", handlerTable(partA(0, -1, false) + std::string("\x00\x00\x05", 3)),
         "Parser1: Invalid terminator length (5)"},
        {"handler table of 300", std::string("\x2C\x01\x00\x00", 4),
         "Parser1: Invalid table size (300)"},
        {"negative table size", std::string("\xFF\xFF\xFF\xFF", 4),
         "Parser1: Invalid table size (-1)"},
        {"truncated tables", handlerTable(partA(0, 12, false)), "Parser1: Stream read error"},
    };
    for (const Case& test : cases) {
        TLexipadParser parser("Parser1");
        FillSample(parser.Language());
        EXPECT_EQ(ReadMessage(parser, BlockAround(prefix + test.tables)), test.message)
            << test.name;
        EXPECT_EQ(parser.Language().Keywords().Count(), 0) << test.name << ": reset";
    }
    // A custom handler may have any number (the sample's identifier rule also
    // shows that a handler start's unused parts are not checked).
    TLexipadParser parser("Parser1");
    const std::string emptyTables(16, '\0');
    const std::string sets(96, '\0');
    EXPECT_EQ(
        ReadMessage(parser, BlockAround(prefix + handlerTable(partA(0, 5, true) + noTerminator) +
                                        emptyTables + sets + std::string(1, '\0'))),
        "(read)");
    ASSERT_NE(parser.Language().Handler(1), nullptr);
    EXPECT_EQ(parser.Language().Handler(1)->continuation.handler, 5);
    EXPECT_TRUE(parser.Language().Handler(1)->continuation.custom);
}

TEST(TLexipadParser, TruncatedOrCorruptedBlocksRaiseMessages) {
    TLexipadParser source("Parser1");
    FillSample(source.Language());
    std::string block = Block(source);
    TLexipadParser parser("Parser1");
    for (size_t cut = 0; cut < block.size(); cut += 7) {
        std::string message = ReadMessage(parser, block.substr(0, cut));
        EXPECT_NE(message, "(read)") << cut;
    }
    EXPECT_EQ(ReadMessage(parser, block.substr(0, 6) + "XXXXXXXX"),
              "Compressor decompression : input stream contains no valid header !");
}

TEST(TLexipadParser, AssignCopiesTheLanguage) {
    TLexipadParser source("A");
    FillSample(source.Language());
    TLexipadParser target("B");
    target.Assign(source);
    EXPECT_EQ(Block(target), Block(source));
    EXPECT_EQ(target.Name(), "B");
}

TEST(TLexipadParser, RegistryValuesUnderTheLanguageName) {
    TLexipadParser parser("MCUBASIC");
    parser.Settings().SetLanguageName("MCUBASIC");
    FakeRegistry registry;
    try {
        parser.SaveToRegistry(registry);
        FAIL() << "saved without UseRegistry";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Registry interface disabled in: MCUBASIC");
    }
    EXPECT_THROW(parser.LoadFromRegistry(registry), ELexipad);
    parser.SetUseRegistry(true);
    parser.SetRegistryKey("Software\\QUARNO_PLUS_COMP");
    parser.Settings().SetGutter(50);
    parser.Settings().Templates().Add("fori", "for loop", false, "FOR I = 1 TO 10\rNEXT");
    parser.Settings().AutoReplace().Add("teh", "", false, "the");
    parser.SaveToRegistry(registry);
    EXPECT_EQ(registry.strings.count("Software\\QUARNO_PLUS_COMP\\Highlighting - MCUBASIC"), 1u);
    EXPECT_EQ(registry.binaries.count("Software\\QUARNO_PLUS_COMP\\Key Assignments - MCUBASIC"),
              1u);
    EXPECT_EQ(registry.binaries.count("Software\\QUARNO_PLUS_COMP\\Templates - MCUBASIC"), 1u);

    TLexipadParser other("MCUBASIC");
    other.Settings().SetLanguageName("MCUBASIC");
    other.LoadFromRegistry(registry, "Software\\QUARNO_PLUS_COMP");
    EXPECT_EQ(other.Settings().Gutter(), 50);
    EXPECT_EQ(other.Settings().Templates().Lookup("FORI"), "FOR I = 1 TO 10\rNEXT");
    EXPECT_EQ(other.Settings().Templates().Entries().at(0).description, "for loop");
    EXPECT_EQ(other.Settings().AutoReplace().Lookup("teh"), "the");
    other.LoadFromRegistry(registry, "Software\\Empty");
    EXPECT_EQ(other.Settings().Gutter(), 50) << "missing values change nothing";

    registry.strings["Software\\QUARNO_PLUS_COMP\\Highlighting - MCUBASIC"] = "garbage";
    try {
        other.LoadFromRegistry(registry, "Software\\QUARNO_PLUS_COMP");
        FAIL() << "read garbage";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Invalid data in registry entry "
                                   "\"Software\\QUARNO_PLUS_COMP\\Highlighting - MCUBASIC\"");
    }
}

TEST(TLexipadParser, LoadedRecompilesTheScriptAndReappliesToControls) {
    quarno::test::TempDir dir;
    std::string script = dir.Write("LANG.TXT", "%%language name = 'FIRST'\n"
                                               "%%words 'foo' '[]' 7\n");
    TLexipadParser parser("Parser1");
    TCustomLexipad pad;
    pad.SetParser(1, &parser);
    pad.SetText("foo\r");
    ASSERT_EQ(pad.Store().Record(0).Tokens()[0], 0);

    parser.SetScript(script);
    parser.SetLoading(true);
    parser.Loaded();
    EXPECT_FALSE(parser.Loading());
    EXPECT_EQ(parser.Language().Keywords().Count(), 0) << "AutoScriptUpdate is off";

    parser.SetAutoScriptUpdate(true);
    parser.Loaded();
    EXPECT_EQ(parser.Settings().LanguageName(), "FIRST");
    EXPECT_EQ(pad.Store().Record(0).Tokens()[0], 7) << "the control rescanned with the new tables";

    parser.SetScript(dir.File("missing.txt"));
    parser.Loaded();
    EXPECT_EQ(parser.Settings().LanguageName(), "FIRST") << "a missing script keeps the tables";
}

TEST(TLexipadParser, EditPropertiesGoesThroughTheDialogOrTheEvent) {
    TLexipadParser parser("MCUBASIC");
    parser.Settings().SetLanguageName("MCUBASIC");
    FakeRegistry registry;
    parser.SetRegistry(&registry);
    EXPECT_FALSE(parser.EditProperties()) << "no dialog";

    int dialogs = 0;
    bool accept = false;
    parser.OnOptionsDialog = [&](TLexipadParser&) {
        ++dialogs;
        return accept;
    };
    EXPECT_FALSE(parser.EditProperties());
    accept = true;
    EXPECT_TRUE(parser.EditProperties());
    EXPECT_TRUE(registry.strings.empty()) << "UseRegistry is off";
    parser.SetUseRegistry(true);
    parser.SetRegistryKey("Software\\QUARNO_PLUS_COMP");
    EXPECT_TRUE(parser.EditProperties());
    EXPECT_EQ(registry.strings.count("Software\\QUARNO_PLUS_COMP\\Highlighting - MCUBASIC"), 1u);
    EXPECT_EQ(dialogs, 3);

    int modified = 0;
    parser.OnModifyProperties = [&](TLexipadParser&) { ++modified; };
    EXPECT_FALSE(parser.EditProperties());
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(dialogs, 3) << "the event replaces the dialog";
}
