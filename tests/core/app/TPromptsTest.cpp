#include "core/app/TPrompts.h"
#include "core/app/TFilePrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;

TEST(TPrompts, ButtonSetsDefaultToTheirFirstButtonOrNoAndEscapeToCancelThenNo) {
    struct Case {
        TPromptButtons buttons;
        std::vector<TPromptButton> offered;
        TPromptButton escape;
        TPromptButton enter;
    };
    using B = TPromptButton;
    const Case cases[] = {
        {TPromptButtons::Ok, {B::Ok}, B::Ok, B::Ok},
        {TPromptButtons::OkCancel, {B::Ok, B::Cancel}, B::Cancel, B::Ok},
        {TPromptButtons::YesNo, {B::Yes, B::No}, B::No, B::Yes},
        {TPromptButtons::YesNoCancel, {B::Yes, B::No, B::Cancel}, B::Cancel, B::Yes},
        {TPromptButtons::YesNoDefaultNo, {B::Yes, B::No}, B::No, B::No},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonsOf(c.buttons), c.offered);
        EXPECT_EQ(EscapeButton(c.buttons), c.escape);
        EXPECT_EQ(DefaultButton(c.buttons), c.enter);
    }
    EXPECT_FALSE(HasButton(TPromptButtons::YesNo, B::Ok));
}

TEST(TPrompts, DefaultTitlesAndTheGeneralErrorDisplayUseTheApplicationTitle) {
    EXPECT_EQ(DefaultPromptTitle(TPromptKind::Error), "Error");
    EXPECT_EQ(DefaultPromptTitle(TPromptKind::Confirmation), "Confirm");
    EXPECT_EQ(DefaultPromptTitle(TPromptKind::Plain), "QUARNO+ Editor");

    TempDir dir;
    TFilePrompts prompts(dir.File("log"), {});
    prompts.ShowException("Stack underflow");
    EXPECT_EQ(dir.Read("log"), "error\tQUARNO+ Editor\tStack underflow\tOK\n");
}

TEST(TFilePrompts, ParsesAnswerListsCaseInsensitivelySkippingUnknownWords) {
    using B = TPromptButton;
    EXPECT_EQ(TFilePrompts::ParseAnswers("Yes, no ,CANCEL,ok"),
              (std::deque<B>{B::Yes, B::No, B::Cancel, B::Ok}));
    EXPECT_EQ(TFilePrompts::ParseAnswers("maybe,,No"), (std::deque<B>{B::No}));
    EXPECT_TRUE(TFilePrompts::ParseAnswers("").empty());
}

TEST(TFilePrompts, LogsEachBoxOnOneEscapedLineAndAnswersInOrder) {
    TempDir dir;
    using B = TPromptButton;
    TFilePrompts prompts(dir.File("log"), {B::No, B::Ok, B::Cancel});
    EXPECT_EQ(prompts.Ask(TPromptKind::Confirmation, "", "File \"a\\b\"\r\nSave changes ?",
                          TPromptButtons::YesNoCancel),
              B::No);
    // OK is not offered by a Yes/No box: the box's first button answers.
    EXPECT_EQ(prompts.Show(TPromptKind::Information, "tab\there", TPromptButtons::YesNo), B::Yes);
    EXPECT_EQ(prompts.Ask(TPromptKind::Plain, "FATAL ERROR!", "x", TPromptButtons::OkCancel),
              B::Cancel);
    // Answers used up: the first button.
    EXPECT_EQ(prompts.Show(TPromptKind::Warning, "w", TPromptButtons::OkCancel), B::Ok);
    EXPECT_EQ(dir.Read("log"), "confirmation\tConfirm\tFile \"a\\\\b\"\\r\\nSave changes ?\tNo\n"
                               "information\tInformation\ttab\\there\tYes\n"
                               "plain\tFATAL ERROR!\tx\tCancel\n"
                               "warning\tWarning\tw\tOK\n");
}
