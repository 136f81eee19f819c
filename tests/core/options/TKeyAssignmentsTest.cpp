#include "core/options/TKeyAssignments.h"
#include "core/lexicon/ShortCuts.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarno;
using Texts = std::vector<std::string>;

namespace {

const uint16_t kCtrlK = kScCtrl | 'K';

int CommandOf(const TKeyAssignments& keys, const std::string& description) {
    for (int command = 0; command < keys.Count(); ++command)
        if (keys.Description(command) == description) return command;
    return -1;
}

std::vector<TKeyPair> Sorted(std::vector<TKeyPair> pairs) {
    std::sort(pairs.begin(), pairs.end(), [](const TKeyPair& a, const TKeyPair& b) {
        return std::tie(a.action, a.first, a.second) < std::tie(b.action, b.first, b.second);
    });
    return pairs;
}

} // namespace

TEST(TKeyAssignments, CommandsSortedByDescription) {
    const TKeyboardActionContoller& table = TKeyboardActionContoller::DefaultKeyTable();
    TKeyAssignments keys(table);
    ASSERT_EQ(keys.Count(), 48);
    for (int command = 1; command < keys.Count(); ++command)
        EXPECT_LE(keys.Description(command - 1), keys.Description(command));
    EXPECT_EQ(keys.Description(0), "Copy to clipboard");
    EXPECT_EQ(keys.Action(0), 13);
}

TEST(TKeyAssignments, KeyTextsAndTheirParsing) {
    struct Case {
        TKeyPair pair;
        const char* text;
    } cases[] = {
        {{kCtrlK, 'I', -1}, "[Ctrl+K]  [I]"},
        {{kScCtrl | 'Y', 0, -1}, "[Ctrl+Y]  [<none>]"},
        {{kScCtrl | kScShift | 'Z', 0, -1}, "[Shift+Ctrl+Z]  [<none>]"},
        {{vk::Left, 0, -1}, "[Left]  [<none>]"},
        {{kScCtrl | 0xDD, 0xDB, -1}, "[Ctrl+]]  [[]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TKeyAssignments::KeyText(c.pair), c.text);
        EXPECT_EQ(TKeyAssignments::ParseKeyText(c.text), c.pair) << c.text;
    }
}

TEST(TKeyAssignments, ChoosingACommandLoadsItsPairsOnce) {
    TKeyboardActionContoller table = TKeyboardActionContoller::DefaultKeyTable();
    TKeyAssignments keys(table);
    int indent = CommandOf(keys, "Indent selected block");
    EXPECT_TRUE(keys.Pairs(indent).empty()) << "not chosen yet";
    keys.Select(indent);
    EXPECT_EQ(keys.KeyTexts(indent), (Texts{"[Ctrl+K]  [I]"}));
    EXPECT_TRUE(keys.HasPairs(indent));
    keys.Add(indent, {kScCtrl | kScShift | 'I', 0, -1});
    keys.Select(indent);
    EXPECT_EQ(keys.KeyTexts(indent), (Texts{"[Ctrl+K]  [I]", "[Shift+Ctrl+I]  [<none>]"}))
        << "choosing it again keeps the changes";
}

TEST(TKeyAssignments, AddEditDeleteAndLeave) {
    TKeyboardActionContoller table = TKeyboardActionContoller::DefaultKeyTable();
    TKeyAssignments keys(table);
    int undo = CommandOf(keys, "Undo");
    keys.Select(undo);
    keys.Add(undo, {kScAlt | vk::Back, kScShift | 'U', -1});
    EXPECT_EQ(keys.KeyTexts(undo), (Texts{"[Ctrl+Z]  [<none>]", "[Alt+BkSp]  [U]"}))
        << "the second key loses its modifiers";
    EXPECT_FALSE(keys.Replace(undo, {kScCtrl | 'Q', 0, -1}, {kScCtrl | 'W', 0, -1}));
    EXPECT_TRUE(keys.Replace(undo, {kScAlt | vk::Back, 'U', -1}, {kScCtrl | 'U', 0, -1}));
    EXPECT_EQ(keys.KeyTexts(undo), (Texts{"[Ctrl+Z]  [<none>]", "[Ctrl+U]  [<none>]"}));
    keys.Delete(undo, {kScCtrl | 'Z', 0, -1});
    EXPECT_EQ(keys.KeyTexts(undo), (Texts{"[Ctrl+U]  [<none>]"}));
    keys.Add(undo, {0, 'X', -1});
    keys.Leave(undo);
    EXPECT_EQ(keys.KeyTexts(undo), (Texts{"[Ctrl+U]  [<none>]"})) << "pairs without a first key go";
    keys.Delete(undo, {kScCtrl | 'U', 0, -1});
    EXPECT_FALSE(keys.HasPairs(undo));
}

TEST(TKeyAssignments, BuildKeepsUntouchedCommandsAndRejectsConflicts) {
    const TKeyboardActionContoller& table = TKeyboardActionContoller::DefaultKeyTable();
    TKeyAssignments keys(table);
    EXPECT_EQ(Sorted(keys.Build().AllBindings()), Sorted(table.AllBindings()));
    EXPECT_EQ(keys.Build().Actions().size(), 48u);

    int undo = CommandOf(keys, "Undo");
    keys.Select(undo);
    keys.Add(undo, {kCtrlK, 0, -1});
    try {
        keys.Build();
        FAIL() << "Ctrl+K alone while Ctrl+K, I exists";
    } catch (const EAmbigiousKeyPair& error) {
        EXPECT_NE(std::string(error.what()).find("Duplicate key sequence definition for\r\n"),
                  std::string::npos);
    }
    keys.Delete(undo, {kCtrlK, 0, -1});
    keys.Add(undo, {kScCtrl | kScAlt | 'Z', 0, -1});
    TKeyboardActionContoller built = keys.Build();
    EXPECT_EQ(built.Bindings(41).size(), 2u);
    EXPECT_EQ(built.Bindings(17).size(), 1u) << "an untouched command keeps its keys";
}
