#include "core/options/TAutoCorrectList.h"
#include "core/options/TCodeTemplateList.h"

#include <gtest/gtest.h>

using namespace quarno;
using Texts = std::vector<std::string>;

namespace {

TEntryButtons Buttons(bool add, bool second, const char* caption, int select = -1) {
    return {add, second, caption, select};
}

} // namespace

TEST(TAutoCorrectList, ButtonStatesFollowTheTwoFields) {
    TAutoReplace replace;
    replace.Add("teh", "", false, "the");
    replace.Add("adn", "", false, "and");
    TAutoCorrectList list(replace);
    EXPECT_EQ(list.Entries().Items(), (Texts{"adn\tand", "teh\tthe"}));
    struct Case {
        const char* word;
        const char* with;
        TEntryButtons expected;
    } cases[] = {
        {"", "", Buttons(false, false, "Delete")},
        {"", "x", Buttons(false, false, "Delete")},
        {"recieve", "", Buttons(true, false, "Delete")},
        {"recieve", "receive", Buttons(true, false, "Delete")},
        {"teh", "the", Buttons(false, true, "Delete")},
        {"TEH", "the", Buttons(false, true, "Delete")},
        {"teh", "then", Buttons(false, true, "Replace")},
        {"teh", "", Buttons(false, true, "Replace", 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.Buttons(c.word, c.with), c.expected) << c.word << "/" << c.with;
}

TEST(TAutoCorrectList, AddReplaceDeleteKeepListAndObjectTogether) {
    TAutoReplace replace;
    replace.Add("teh", "", false, "the");
    TAutoCorrectList list(replace);
    EXPECT_EQ(list.Add("Adn", "and"), 0);
    EXPECT_EQ(replace.Lookup("adn"), "and");
    EXPECT_EQ(list.Add("zz", "sleep"), 2);
    EXPECT_EQ(list.Replace("teh", "then"), 1) << "the typed word's entry, whatever is selected";
    EXPECT_EQ(list.Entries().Items(), (Texts{"adn\tand", "teh\tthen", "zz\tsleep"}));
    EXPECT_EQ(replace.Lookup("teh"), "then");
    EXPECT_EQ(list.Delete("teh"), 1) << "the entry that took its place";
    EXPECT_EQ(list.Delete("zz"), 0) << "the last one";
    EXPECT_EQ(list.Delete("adn"), -1);
    EXPECT_TRUE(replace.Entries().empty());
}

TEST(TAutoCorrectList, RefusedActKeysStay) {
    TAutoReplace replace;
    TAutoCorrectList list(replace);
    EXPECT_EQ(list.SetActKeys(";,"), "");
    EXPECT_EQ(list.ActKeys(), ";,");
    EXPECT_EQ(list.SetActKeys("\\{tab"), "Bad key specifier");
    EXPECT_EQ(list.ActKeys(), ";,");
}

TEST(TCodeTemplateList, ButtonStatesFollowNameDescriptionAndBody) {
    TCodeTemplates templates;
    templates.Add("fori", "for loop", false, "FOR I = 1 TO 10\r\nNEXT");
    TCodeTemplateList list(templates);
    struct Case {
        const char* name;
        const char* description;
        const char* body;
        TEntryButtons expected;
    } cases[] = {
        {"", "for loop", "", Buttons(false, false, "Delete")},
        {"whilex", "", "", Buttons(true, false, "Delete")},
        {"fori", "other", "FOR I = 1 TO 10\rNEXT", Buttons(false, true, "Replace")},
        {"FORI", "for loop", "FOR I = 1 TO 10\rNEXT", Buttons(false, true, "Delete")},
        {"fori", "for loop", "FOR J = 1 TO 10\rNEXT", Buttons(false, true, "Replace")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.Buttons(c.name, c.description, c.body), c.expected) << c.name;
}

TEST(TCodeTemplateList, AddReplaceDeleteAndTheHotKey) {
    TCodeTemplates templates;
    TCodeTemplateList list(templates);
    EXPECT_EQ(list.Add("IfT", "if then", "IF  THEN\rENDIF"), 0);
    EXPECT_EQ(templates.Lookup("ift"), "IF  THEN\rENDIF");
    EXPECT_EQ(list.Add("do", "", "DO\rLOOP"), 0);
    EXPECT_EQ(list.Replace("ift", "if then else", "IF\rELSE\rENDIF"), 1);
    EXPECT_EQ(list.Entries().Items(), (Texts{"do\t", "ift\tif then else"}));
    EXPECT_EQ(list.Body(1), "IF\rELSE\rENDIF");
    EXPECT_EQ(templates.Entries().at(1).description, "if then else");
    EXPECT_EQ(list.Delete("do"), 0);
    EXPECT_EQ(templates.Entries().size(), 1u);
    list.SetHotKey(0x8000 | 'A');
    EXPECT_EQ(templates.HotKey(), 0x8000 | 'A');
}
