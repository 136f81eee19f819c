#include "core/base/Exceptions.h"
#include "core/base/TMemoryStream.h"
#include "core/lexicon/ShortCuts.h"
#include "core/services/TAutoReplace.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

std::vector<std::string> Names(const TMacroKeywords& list) {
    std::vector<std::string> names;
    for (const TMacroEntry& entry : list.Entries())
        names.push_back(entry.name);
    return names;
}

std::string Before(const TMacroKeywords& list, std::string_view text) {
    int length = 0;
    int entry = list.MatchBefore(text, length);
    return entry < 0
               ? "-"
               : list.Entries()[static_cast<size_t>(entry)].name + ":" + std::to_string(length);
}

} // namespace

TEST(TMacroKeywords, AddReplaceRemoveLookup) {
    TCodeTemplates templates;
    templates.Add("While", "loop", false, "WHILE\rWEND");
    templates.Add("for", "counted loop", false, "FOR I = 1 TO 10\rNEXT");
    templates.Add("If", "", true, "IF THEN\rENDIF");
    templates.Add("", "ignored", false, "x");
    EXPECT_EQ(Names(templates), (std::vector<std::string>{"for", "If", "while"}));
    EXPECT_EQ(templates.Lookup("WHILE"), "WHILE\rWEND");
    EXPECT_EQ(templates.Lookup("if"), "IF THEN\rENDIF");
    EXPECT_EQ(templates.Lookup("whil"), std::nullopt);
    templates.Add("FOR", "new", false, "FOR");
    EXPECT_EQ(Names(templates), (std::vector<std::string>{"for", "If", "while"}));
    EXPECT_EQ(templates.Lookup("for"), "FOR");
    EXPECT_TRUE(templates.Remove("IF"));
    EXPECT_FALSE(templates.Remove("if"));
    EXPECT_EQ(templates.Lookup("if"), std::nullopt);
    EXPECT_EQ(templates.Lookup("While"), "WHILE\rWEND") << "the trie was rebuilt";
    templates.Clear();
    EXPECT_TRUE(templates.Entries().empty());
    EXPECT_EQ(templates.HotKey(), kScCtrl | 'J');
}

TEST(TMacroKeywords, TheLongestNameBeforeTheCaretWins) {
    TAutoReplace replace;
    replace.Add("if", "", false, "IF");
    replace.Add("endif", "", false, "ENDIF");
    replace.Add("teh", "", false, "the");
    EXPECT_EQ(Before(replace, "x = 1 : ENDIF"), "endif:5");
    EXPECT_EQ(Before(replace, "x = 1 : if"), "if:2");
    EXPECT_EQ(Before(replace, "nif"), "if:2") << "names need no delimiter before them";
    EXPECT_EQ(Before(replace, "endi"), "-");
    EXPECT_EQ(Before(replace, ""), "-");
}

TEST(TAutoReplace, TriggerKeys) {
    TAutoReplace replace;
    EXPECT_EQ(replace.TriggerKeys(), (std::vector<int>{0xBA, 0xBC, 0x1BA, 0xBE, 0xBB, 0x139, 0x130,
                                                       0xDB, 0xDD, 13, 9, 32}));
    struct Case {
        const char* text;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {"\\{Return}", {13}},
        {"\\{F5}\\{pageup}", {116, 33}},
        {"\\{bogus}x", {'X'}},
        {"\\n\\r\\s\\t", {13, 32, 9}},
        {"..;\\;", {0xBE, 0xBA}},
        {"\\(A", {0x139, 0x141}},
        {"", {}},
    };
    for (const Case& test : cases) {
        replace.SetTriggerText(test.text);
        EXPECT_EQ(replace.TriggerKeys(), test.keys) << test.text;
    }
    replace.SetTriggerText(";:");
    for (const char* bad : {"\\{Return", "x\\"}) {
        try {
            replace.SetTriggerText(bad);
            ADD_FAILURE() << bad;
        } catch (const ELexipad& error) {
            EXPECT_STREQ(error.what(), "Bad key specifier");
        }
        EXPECT_EQ(replace.TriggerText(), ";:");
    }
    // The stored form holds 255 characters: a longer text would be cut on the
    // way out, here in the middle of "\\{Tab}", and not read back.
    const std::string longest = std::string(250, ';') + "\\{Tab}";
    TAutoReplace stored;
    EXPECT_THROW(stored.SetTriggerText(longest), ELexipad);
    EXPECT_EQ(stored.TriggerText(), TAutoReplace::kDefaultTriggers);
    stored.SetTriggerText(longest.substr(1));
    TMemoryStream stream;
    stored.WriteTo(stream);
    stream.SetPosition(0);
    TAutoReplace read;
    read.ReadFrom(stream);
    EXPECT_EQ(read.TriggerText(), longest.substr(1));
    EXPECT_TRUE(replace.IsTrigger(0xBA, 0));
    EXPECT_TRUE(replace.IsTrigger(0xBA, kShiftKey));
    EXPECT_FALSE(replace.IsTrigger(0xBA, kCtrlKey));
    EXPECT_FALSE(replace.IsTrigger(0x1BA, 0)) << "codes with a high byte never match";
    replace.SetEnabled(false);
    EXPECT_FALSE(replace.IsTrigger(0xBA, 0));
    replace.SetEnabled(true);
    replace.SetTriggerText("");
    EXPECT_FALSE(replace.IsTrigger(0xBA, 0));
}

TEST(TCodeTemplates, HotKey) {
    TCodeTemplates templates;
    EXPECT_TRUE(templates.IsHotKey('J', kCtrlKey));
    EXPECT_FALSE(templates.IsHotKey('J', 0));
    EXPECT_FALSE(templates.IsHotKey('J', kCtrlKey | kShiftKey));
    templates.SetEnabled(false);
    EXPECT_FALSE(templates.IsHotKey('J', kCtrlKey));
}

TEST(TMacroKeywords, StreamFormAndAssign) {
    TAutoReplace replace;
    replace.Add("teh", "typo", false, "the");
    replace.Add("Adn", "", true, std::string(300, 'x'));
    replace.SetHotKey(kScAlt | 'R');
    replace.SetEnabled(false);
    replace.SetTriggerText(" \\{Tab}");
    TMemoryStream stream;
    replace.WriteTo(stream);
    stream.SetPosition(0);
    EXPECT_EQ(ReadInt32(stream), 2);
    EXPECT_EQ(ReadShortString(stream), "Adn");
    stream.SetPosition(0);
    TAutoReplace read;
    read.ReadFrom(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(Names(read), Names(replace));
    EXPECT_EQ(read.Lookup("adn"), std::string(300, 'x'));
    EXPECT_EQ(read.HotKey(), kScAlt | 'R');
    EXPECT_FALSE(read.Enabled());
    EXPECT_EQ(read.TriggerText(), " \\{Tab}");

    TAutoReplace copy;
    copy.Assign(replace);
    EXPECT_EQ(copy.Lookup("teh"), "the");
    TCodeTemplates templates;
    try {
        templates.Assign(replace);
        FAIL() << "assigned across classes";
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "Cannot assign TAutoReplace to TCodeTemplates");
    }
}
