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
        command.OnCompiled = [this] { ++refreshes; };
    }
    test::TRecordingProcesses processes;
    TCompileCommand command{docs, prompts, processes, dir.Folder()};
    std::vector<bool> waitWindow;
    int refreshes = 0;
};

} // namespace

TEST_F(CompileFixture, SavesThenRunsTheCompilerWithTheWaitWindowShown) {
    std::string prog = dir.Write("prog.bas", "PRINT 1\r\n");
    OpenViaDialog(prog);
    Type("' edited\r");
    EXPECT_TRUE(command.CompileButtonClick());
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
    EXPECT_FALSE(command.CompileButtonClick());
    EXPECT_EQ(PromptTexts().back(),
              "File \"test.inc\" is not a BASIC program\r\nDo you still wish to compile the code?");
    EXPECT_TRUE(processes.Calls().empty());
    prompts.QueueAnswer(TPromptButton::Yes);
    EXPECT_TRUE(command.CompileButtonClick());
    EXPECT_EQ(processes.Calls().size(), 1u);
}

TEST_F(CompileFixture, UntitledDocumentMustBeNamedFirst) {
    prompts.QueueAnswer(TPromptButton::Cancel);
    EXPECT_FALSE(command.CompileButtonClick());
    prompts.QueueAnswer(TPromptButton::Ok); // then Save As is cancelled
    EXPECT_FALSE(command.CompileButtonClick());
    EXPECT_TRUE(processes.Calls().empty());
    EXPECT_TRUE(waitWindow.empty());
    prompts.QueueAnswer(TPromptButton::Ok);
    dialogs.QueueFile(dir.File("named.bas"));
    EXPECT_TRUE(command.CompileButtonClick());
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_EQ(processes.Calls()[0].args.front(), dir.File("named.bas"));
}

TEST_F(CompileFixture, NothingHappensWithoutADocument) {
    docs.CloseAll1Click();
    ASSERT_EQ(docs.Current(), nullptr);
    EXPECT_FALSE(command.CompileButtonClick());
    EXPECT_TRUE(processes.Calls().empty());
}
