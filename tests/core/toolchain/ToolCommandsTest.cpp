#include "core/app/SerialDevices.h"
#include "core/app/TDeviceToolWatch.h"
#include "core/toolchain/TToolCommands.h"
#include "support/TRecordingDesktop.h"
#include "support/TRecordingProcesses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;
using Words = std::vector<std::string>;

namespace {

struct ToolCommandsTest : ::testing::Test {
    ToolCommandsTest() {
        std::filesystem::create_directories(dir.File("INC"));
        std::filesystem::create_directories(dir.File("bin"));
        tools.SetSearchPath(dir.File("bin"));
    }
    std::string Program(const std::string& name) const {
        std::string path = dir.Write("bin/" + name, "#!/bin/sh\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    // The text of the error a command raises; "" when it raises none.
    template <typename Command> std::string Failure(Command command) {
        try {
            command();
        } catch (const EProgramStart& error) {
            return error.what();
        }
        return std::string();
    }

    TempDir dir;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TToolCommands tools{processes, desktop, dir.Folder() + "INC/"};
};

} // namespace

TEST_F(ToolCommandsTest, TheTerminalOfTheIncFolderStartsInAnyCaseAndIsWatched) {
    TSystemDeviceAccess access;
    TDeviceToolWatch watch(access);
    tools.SetDeviceWatch(&watch);
    std::string terminal = dir.Write("INC/term.exe", "");
    tools.Terminal1Click();
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_FALSE(processes.Calls()[0].waited);
    EXPECT_EQ(processes.Calls()[0].path, terminal);
    EXPECT_TRUE(processes.Calls()[0].args.empty());
    EXPECT_TRUE(watch.Watches(terminal));

    std::filesystem::remove(terminal);
    processes.FailToStart(dir.File("INC/TERM.EXE"));
    EXPECT_EQ(Failure([this] { tools.Terminal1Click(); }),
              "Problem Running " + dir.File("INC/TERM.EXE") + ": the file does not exist");
}

TEST_F(ToolCommandsTest, TheFirstCalculatorOfTheListIsStarted) {
    EXPECT_EQ(Failure([this] { tools.CalculatorItemClick(); }),
              "Problem Running gnome-calculator, kcalc, mate-calc, galculator, qalculate-gtk, "
              "qalculate-qt, speedcrunch or xcalc: no desktop calculator is installed; install "
              "one of them, for example the package gnome-calculator");
    EXPECT_TRUE(processes.Calls().empty());
    Program("xcalc");
    std::string galculator = Program("galculator");
    tools.CalculatorItemClick();
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_EQ(processes.Calls()[0].path, galculator);
    EXPECT_EQ(FindCalculator(dir.File("nowhere")), "");
}

TEST_F(ToolCommandsTest, HelpGoesToTheDesktopOrWinesViewerOrSaysWhatIsMissing) {
    const std::string help = dir.File("INC/QUARNP_HELP.HLP");
    EXPECT_EQ(Failure([this] { tools.HelpMenuItemClick(); }),
              "Problem Running " + help + ": the file does not exist");
    EXPECT_TRUE(desktop.documents.empty());

    dir.Write("INC/QUARNP_HELP.HLP", "?_\x03\x00");
    tools.HelpMenuItemClick();
    EXPECT_EQ(desktop.asked, Words{help});
    EXPECT_EQ(desktop.documents, Words{help});

    desktop.opens = false;
    EXPECT_EQ(Failure([this] { tools.HelpMenuItemClick(); }),
              "Problem Running " + help + ": the desktop's opener (xdg-open) could not be started");

    desktop.hasOpener = false;
    EXPECT_EQ(Failure([this] { tools.HelpMenuItemClick(); }),
              "Problem Running " + help +
                  ": no program to show Windows help files is installed; install the package "
                  "wine (it brings the help viewer winhlp32), or give the desktop a viewer for "
                  ".HLP files");
    std::string wine = Program("wine");
    tools.HelpMenuItemClick();
    ASSERT_EQ(processes.Calls().size(), 1u);
    EXPECT_EQ(processes.Calls()[0].path, wine);
    std::string dosHelp = "Z:" + help;
    std::replace(dosHelp.begin(), dosHelp.end(), '/', '\\');
    EXPECT_EQ(processes.Calls()[0].args, (Words{"winhlp32.exe", dosHelp}));
    EXPECT_EQ(WineDosPath("/opt/quarno/INC/QUARNP_HELP.HLP"),
              "Z:\\opt\\quarno\\INC\\QUARNP_HELP.HLP");
    EXPECT_EQ(desktop.documents.size(), 2u); // the wine viewer did not go through the desktop
}

TEST_F(ToolCommandsTest, TheUserGuideOpensThroughTheDesktop) {
    const std::string guide = dir.File("INC/USER_GUIDE.html");
    EXPECT_EQ(Failure([this] { tools.UserGuideClick(); }),
              "Problem Running " + guide + ": the file does not exist");
    dir.Write("INC/USER_GUIDE.html", "<html></html>");
    tools.UserGuideClick();
    EXPECT_EQ(desktop.documents, Words{guide});
    EXPECT_TRUE(processes.Calls().empty());
}

TEST(HelpViewer, TheDesktopFirstThenWine) {
    EXPECT_EQ(ChooseHelpViewer(true, "/usr/bin/wine"), THelpViewer::Desktop);
    EXPECT_EQ(ChooseHelpViewer(true, ""), THelpViewer::Desktop);
    EXPECT_EQ(ChooseHelpViewer(false, "/usr/bin/wine"), THelpViewer::WineHelp);
    EXPECT_EQ(ChooseHelpViewer(false, ""), THelpViewer::None);
}
