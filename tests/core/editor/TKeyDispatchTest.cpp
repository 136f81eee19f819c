#include "core/editor/TCustomLexipad.h"
#include "core/lexicon/ShortCuts.h"
#include "core/settings/TLP_Settings.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

// A key press followed by its character, as a keyboard delivers them.
void Press(TCustomLexipad& pad, char c) {
    int scan = VkKeyScan(static_cast<uint8_t>(c));
    uint8_t shift = (scan & 0x100) ? kShiftKey : 0;
    if (!pad.KeyDown(static_cast<uint16_t>(scan & 0xFF), shift)) pad.KeyPress(c);
}

void Type(TCustomLexipad& pad, const std::string& text) {
    for (char c : text)
        Press(pad, c);
}

} // namespace

TEST(TKeyDispatch, BoundKeysRunActionsAndShiftExtends) {
    TCustomLexipad pad;
    SetCaretText(pad, "ab|cd");
    EXPECT_TRUE(pad.KeyDown(vk::Right, kShiftKey));
    EXPECT_TRUE(pad.KeyDown(vk::Right, kShiftKey));
    EXPECT_EQ(CaretText(pad), "ab^cd|");
    EXPECT_TRUE(pad.KeyDown(vk::Home, 0));
    EXPECT_EQ(CaretText(pad), "|abcd");
    EXPECT_FALSE(pad.KeyDown('A', 0)) << "an unbound key is left for typing";
}

TEST(TKeyDispatch, TwoKeySequencesIgnoreTheSecondKeysModifiers) {
    TCustomLexipad pad;
    pad.SetOptions(pad.Options() & ~smoUseTAB);
    SetCaretText(pad, "^one\ntwo|");
    EXPECT_TRUE(pad.KeyDown('K', kCtrlKey));
    EXPECT_EQ(CaretText(pad), "^one\ntwo|") << "the prefix is swallowed";
    EXPECT_TRUE(pad.KeyDown('I', kShiftKey));
    EXPECT_EQ(pad.Text(), " one\r two");
    EXPECT_TRUE(pad.KeyDown('K', kCtrlKey));
    EXPECT_FALSE(pad.KeyDown('X', 0)) << "an unbound second key is passed on";
    pad.KeyPress('x');
    EXPECT_EQ(pad.Text(), "x");
}

TEST(TKeyDispatch, CommandRecognisedCanChangeOrCancelTheAction) {
    TCustomLexipad pad;
    SetCaretText(pad, "ab|cd");
    std::vector<int> seen;
    pad.OnCommandRecognised = [&](TCustomLexipad&, int& code) {
        seen.push_back(code);
        if (code == caLEFT)
            code = caDOCEND;
        else if (code == caRIGHT)
            code = -1;
    };
    pad.KeyDown(vk::Left, 0);
    EXPECT_EQ(CaretText(pad), "abcd|");
    pad.KeyDown(vk::Home, 0);
    pad.KeyDown(vk::Right, 0);
    EXPECT_EQ(CaretText(pad), "|abcd");
    EXPECT_EQ(seen, (std::vector<int>{caLEFT, caLINEHOME, caRIGHT}));
}

TEST(TCodeTemplateExpansion, HotKeyExpandsTheLongestNameAsOneUndoStep) {
    TCustomLexipad pad;
    TCodeTemplates& templates = pad.Settings().Templates();
    templates.Add("if", "", false, "If x Then");
    templates.Add("elseif", "", false, "ElseIf y Then");
    Type(pad, "elseif");
    EXPECT_TRUE(pad.KeyDown('J', kCtrlKey));
    EXPECT_EQ(CaretText(pad), "ElseIf y Then|");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "elseif|");
    std::string listed = "none";
    pad.OnTemplateList = [&](TCustomLexipad&, const std::string& word) { listed = word; };
    Type(pad, " wh");
    EXPECT_TRUE(pad.KeyDown('J', kCtrlKey));
    EXPECT_EQ(listed, "wh");
    EXPECT_EQ(pad.Text(), "elseif wh") << "no match changes nothing";
}

TEST(TCodeTemplateExpansion, TemplateEventMayChangeTheReplacement) {
    TCustomLexipad pad;
    pad.Settings().Templates().Add("pr", "", false, "Print");
    pad.OnTemplateEvent = [](TCustomLexipad&, const std::string& name, std::string& text) {
        text += " ' from " + name;
    };
    Type(pad, "pr");
    pad.KeyDown('J', kCtrlKey);
    EXPECT_EQ(pad.Text(), "Print ' from pr");
}

TEST(TAutoReplacement, TriggerKeysReplaceTheWordBeforeThem) {
    TCustomLexipad pad;
    TAutoReplace& replacements = pad.Settings().AutoReplace();
    replacements.Add("teh", "", false, "the");
    Type(pad, "teh ");
    EXPECT_EQ(pad.Text(), "the") << "the trigger key is not kept by default";
    replacements.SetKeepKey(true);
    Type(pad, " teh;");
    EXPECT_EQ(pad.Text(), "the the;");
    replacements.SetTriggerText("\\{Return}");
    Type(pad, " teh.");
    EXPECT_EQ(pad.Text(), "the the; teh.") << "\".\" is no longer a trigger";
    Type(pad, " teh");
    EXPECT_FALSE(pad.KeyDown(vk::Return, 0)) << "kept: Return goes on to be typed";
    EXPECT_EQ(pad.Text(), "the the; teh. the");
}
