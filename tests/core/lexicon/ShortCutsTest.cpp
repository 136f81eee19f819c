#include "core/lexicon/ShortCuts.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(ShortCuts, TextFormBothWays) {
    struct Case {
        uint16_t shortCut;
        const char* text;
    };
    const Case cases[] = {
        {kScCtrl | 'J', "Ctrl+J"},
        {kScCtrl | kScShift | 'Z', "Shift+Ctrl+Z"},
        {kScAlt | (vk::F1 + 3), "Alt+F4"},
        {vk::Delete, "Del"},
        {vk::Prior, "PgUp"},
        {kScCtrl | vk::Back, "Ctrl+BkSp"},
        {vk::Return, "Enter"},
        {0xBA, ";"},
        {kScShift | 0x92, "Shift+$92"},
        {0, ""},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ShortCutToText(test.shortCut), test.text);
        EXPECT_EQ(TextToShortCut(test.text), test.shortCut) << test.text;
    }
    EXPECT_EQ(TextToShortCut("ctrl+shift+z"), kScCtrl | kScShift | 'Z');
    EXPECT_EQ(TextToShortCut("Shift+Backspace"), kScShift | vk::Back);
    EXPECT_EQ(TextToShortCut("Ctrl+PageDown"), kScCtrl | vk::Next);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
    for (int key = 1; key < 256; ++key)
        for (uint16_t modifiers : {0, kScShift | kScAlt})
            EXPECT_EQ(TextToShortCut(ShortCutToText(static_cast<uint16_t>(key | modifiers))),
                      key | modifiers)
                << key;
}

TEST(ShortCuts, KeyNamesAndCharacterKeys) {
    EXPECT_EQ(KeyCodeFromName("backspace"), 8);
    EXPECT_EQ(KeyCodeFromName("f10"), 121);
    EXPECT_EQ(KeyCodeFromName("pagedown"), 34);
    EXPECT_EQ(KeyCodeFromName("tab"), 9);
    EXPECT_EQ(KeyCodeFromName("Tab"), -1) << "names are looked up lower-cased";
    EXPECT_EQ(KeyCodeFromName("escape"), -1);
    EXPECT_EQ(VkKeyScan('a'), 'A');
    EXPECT_EQ(VkKeyScan('A'), 0x100 | 'A');
    EXPECT_EQ(VkKeyScan('('), 0x100 | '9');
    EXPECT_EQ(VkKeyScan(':'), 0x1BA);
    EXPECT_EQ(VkKeyScan('\r'), 13);
    EXPECT_EQ(VkKeyScan(0xE9), -1);
}
