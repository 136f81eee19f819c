#include "core/options/TKeyAssignWizard.h"
#include "core/lexicon/ShortCuts.h"

#include <gtest/gtest.h>

using namespace quarno;

TEST(TKeyAssignWizard, CaptionsAndStepTexts) {
    EXPECT_EQ(TKeyAssignWizard::Caption(TKeyAssignWizard::kEdit, "Undo"),
              "Edit key pair for: Undo");
    EXPECT_EQ(TKeyAssignWizard::Caption(TKeyAssignWizard::kAdd, "Redo"),
              "Add new key pair for: Redo");
    EXPECT_EQ(TKeyAssignWizard::StepLabel(2), "Step 2");
}

TEST(TKeyAssignWizard, AddModeWaitsForAFirstKey) {
    TKeyAssignWizard wizard(TKeyAssignWizard::kAdd, kScCtrl | 'Z', 0);
    EXPECT_EQ(wizard.Key(1), 0) << "add mode starts empty";
    EXPECT_FALSE(wizard.NextEnabled());
    EXPECT_FALSE(wizard.BackEnabled());
    EXPECT_FALSE(wizard.ClearEnabled(1));
    EXPECT_FALSE(wizard.Next()) << "Next does nothing while disabled";
    EXPECT_EQ(wizard.Step(), 1);

    wizard.SetKey(1, vk::Tab);
    EXPECT_TRUE(wizard.NextEnabled() && wizard.ClearEnabled(1));
    EXPECT_STREQ(wizard.NextCaption(), "Next >");
    EXPECT_FALSE(wizard.Next());
    EXPECT_EQ(wizard.Step(), 2);
    EXPECT_STREQ(wizard.NextCaption(), "Finish");
    EXPECT_TRUE(wizard.BackEnabled());
    EXPECT_FALSE(wizard.ClearEnabled(2));
    wizard.SetKey(2, 'X');
    EXPECT_TRUE(wizard.ClearEnabled(2));
    wizard.Back();
    EXPECT_EQ(wizard.Step(), 1);
    wizard.Clear(1);
    EXPECT_FALSE(wizard.NextEnabled());
    wizard.SetKey(1, kScCtrl | 'Q');
    wizard.Next();
    EXPECT_TRUE(wizard.Next()) << "Finish";
    EXPECT_EQ(wizard.Key(2), 'X');
}

TEST(TKeyAssignWizard, EditModeStartsWithThePair) {
    TKeyAssignWizard wizard(TKeyAssignWizard::kEdit, kScCtrl | 'K', 'I');
    EXPECT_EQ(wizard.Key(1), kScCtrl | 'K');
    EXPECT_EQ(wizard.Key(2), 'I');
    EXPECT_TRUE(wizard.NextEnabled());
}

TEST(HotKeyFromPress, EveryKeyWithItsModifiersButNotAModifierAlone) {
    EXPECT_EQ(HotKeyFromPress(vk::Tab, 0), vk::Tab);
    EXPECT_EQ(HotKeyFromPress(vk::Return, kShiftKey), kScShift | vk::Return);
    EXPECT_EQ(HotKeyFromPress('K', kCtrlKey | kAltKey), kScCtrl | kScAlt | 'K');
    EXPECT_EQ(HotKeyFromPress(vk::Left, kAltKey), kScAlt | vk::Left);
    EXPECT_EQ(HotKeyFromPress(16, kShiftKey), std::nullopt);
    EXPECT_EQ(HotKeyFromPress(17, kCtrlKey), std::nullopt);
    EXPECT_EQ(HotKeyFromPress(0, 0), std::nullopt);
}

TEST(HotKeyFromPress, TheTemplateKeyNeedsCtrlOrAlt) {
    EXPECT_EQ(TemplateHotKeyFromPress('A', 0), kScAlt | 'A');
    EXPECT_EQ(TemplateHotKeyFromPress('A', kShiftKey), kScShift | kScAlt | 'A');
    EXPECT_EQ(TemplateHotKeyFromPress('J', kCtrlKey), kScCtrl | 'J');
    EXPECT_EQ(TemplateHotKeyFromPress(vk::Space, kCtrlKey | kShiftKey),
              kScCtrl | kScShift | vk::Space);
}
