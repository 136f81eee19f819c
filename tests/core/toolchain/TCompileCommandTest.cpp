#include "core/toolchain/TCompileCommand.h"
#include "core/base/FileUtils.h"
#include "support/DocumentsFixture.h"
#include "support/TRecordingProcesses.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::Names;

namespace {

struct CompileFixture : test::DocumentsFixture {
    CompileFixture() {
        command.OnWaitWindow = [this](bool shown) { waitWindow.push_back(shown); };
        command.OnCompiled = [this](TCompileOutcome outcome, const std::string& message) {
            ++refreshes;
            outcomes.push_back(outcome);
            messages.push_back(message);
        };
    }
    test::TRecordingProcesses processes;
    TCompileCommand command{docs, prompts, processes, dir.Folder()};
    std::vector<bool> waitWindow;
    int refreshes = 0;
    std::vector<TCompileOutcome> outcomes;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(CompileFixture, SavesThenRunsTheCompilerWithTheWaitWindowShown) {
    std::string prog = dir.Write("prog.bas", "PRINT 1\r\n");
    OpenViaDialog(prog);
    Type("' edited\r");
    EXPECT_NE(command.CompileButtonClick(), TCompileOutcome::NotRun);
    EXPECT_EQ(ReadWholeFile(prog), "' edited\r\nPRINT 1\r\n");
    EXPECT_EQ(ReadWholeFile(dir.File("prog.BAK")), "PRINT 1\r\n"); // the version before
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_TRUE(processes.Calls()[0].waited);
    EXPECT_EQ(processes.Calls()[0].path, dir.Folder() + "QUARNO_PL.EXE");
    EXPECT_EQ(processes.Calls()[0].args, (Names{prog, "-m", "-q"}));
    EXPECT_EQ(waitWindow, (std::vector<bool>{true, false}));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(CompileFixture, NonBasicFileIsCompiledOnlyWhenTheUserSaysYes) {
    OpenViaDialog(dir.Write("test.inc", "x = 1\r\n"));
    prompts.QueueAnswer(TPromptButton::No);
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::NotRun);
    EXPECT_EQ(PromptTexts().back(),
              "File \"test.inc\" is not a BASIC program\r\nDo you still wish to compile the code?");
    EXPECT_TRUE(processes.Calls().empty());
    prompts.QueueAnswer(TPromptButton::Yes);
    EXPECT_NE(command.CompileButtonClick(), TCompileOutcome::NotRun);
    EXPECT_EQ(processes.Calls().size(), 1u);
}

TEST_F(CompileFixture, UntitledDocumentMustBeNamedFirst) {
    prompts.QueueAnswer(TPromptButton::Cancel);
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::NotRun);
    prompts.QueueAnswer(TPromptButton::Ok); // then Save As is cancelled
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::NotRun);
    EXPECT_TRUE(processes.Calls().empty());
    EXPECT_TRUE(waitWindow.empty());
    prompts.QueueAnswer(TPromptButton::Ok);
    dialogs.QueueFile(dir.File("named.bas"));
    EXPECT_NE(command.CompileButtonClick(), TCompileOutcome::NotRun);
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_EQ(processes.Calls()[0].args.front(), dir.File("named.bas"));
}

TEST_F(CompileFixture, NothingHappensWithoutADocument) {
    docs.CloseAll1Click();
    ASSERT_EQ(docs.Current(), nullptr);
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::NotRun);
    EXPECT_TRUE(processes.Calls().empty());
}

// A compiler that writes its result is a compile; the previous build's
// files are gone before it runs, whatever their spelling.
TEST_F(CompileFixture, TheCompilersOwnResultCountsAndEarlierOnesAreRemoved) {
    std::string prog = dir.Write("prog.bas", "PRINT 1\r\n");
    for (const char* old : {"prog.KBR", "prog.hex", "prog.HEX", "prog.ASM"})
        dir.Write(old, "from an earlier build");
    OpenViaDialog(prog);
    std::vector<bool> presentWhileRunning;
    processes.OnExecute = [&](const test::TRecordingProcesses::Call&) {
        for (const char* old : {"prog.KBR", "prog.hex", "prog.HEX", "prog.ASM"})
            presentWhileRunning.push_back(FileExists(dir.File(old)));
        dir.Write("prog.KBR", "SUCCESS\r\n16F84,1,0,\r\n");
    };
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::Compiled);
    EXPECT_EQ(presentWhileRunning, (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(messages, (std::vector<std::string>{""}));
    EXPECT_TRUE(PromptTexts().empty());
}

// A run that leaves no result says so; nothing of an earlier build is left
// to be shown as this one's.
TEST_F(CompileFixture, ARunWithoutAResultSaysSo) {
    std::string prog = dir.Write("prog.bas", "PRINT 1\r\n");
    dir.Write("prog.KBR", "SUCCESS\r\n16F84,1,0,\r\n");
    dir.Write("prog.HEX", ":00000001FF\r\n");
    OpenViaDialog(prog);
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::NoResult);
    EXPECT_EQ(messages, (std::vector<std::string>{"The compiler produced no result"}));
    EXPECT_FALSE(FileExists(dir.File("prog.KBR")));
    EXPECT_FALSE(FileExists(dir.File("prog.HEX")));
    EXPECT_EQ(refreshes, 1);
}

// A compiler that cannot be started is reported with its path and why.
TEST_F(CompileFixture, ACompilerThatCannotStartIsReported) {
    OpenViaDialog(dir.Write("prog.bas", "PRINT 1\r\n"));
    processes.QueueWaitResult(false);
    EXPECT_EQ(command.CompileButtonClick(), TCompileOutcome::StartFailed);
    std::string expected =
        "Problem Running " + dir.Folder() + "QUARNO_PL.EXE: the file does not exist";
    EXPECT_EQ(PromptTexts(), (std::vector<std::string>{expected}));
    EXPECT_EQ(messages, (std::vector<std::string>{expected}));
    EXPECT_EQ(waitWindow, (std::vector<bool>{true, false}));
}
