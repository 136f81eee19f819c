#include "core/app/StartupCheck.h"
#include "support/TScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;
using quarno::test::TScriptedPrompts;

TEST(StartupCheck, MissingConfigurationFileShowsTheFatalErrorBoxWhateverTheAnswer) {
    for (TPromptButton answer : {TPromptButton::Ok, TPromptButton::Cancel}) {
        TempDir dir;
        std::filesystem::create_directory(dir.File("INC"));
        // A folder of that name is not the file.
        std::filesystem::create_directory(dir.File("INC/KBX.INI"));
        TAppGlobals globals;
        globals.ComputeFolders(dir.File("quarno-ide"));
        TScriptedPrompts prompts;
        prompts.QueueAnswer(answer);
        EXPECT_FALSE(CheckConfigurationFile(prompts, globals));
        ASSERT_EQ(prompts.Boxes().size(), 1u);
        const TScriptedPrompts::Box& box = prompts.Boxes()[0];
        EXPECT_EQ(box.title, "FATAL ERROR!");
        EXPECT_EQ(box.text, "Could not Find KBX.INI\rMake sure it is in the INC folder and is not "
                            "Write Protected\rThe Compiler will now Close");
        EXPECT_EQ(box.buttons, TPromptButtons::OkCancel);
    }
}

TEST(StartupCheck, PresentConfigurationFilePassesSilentlyEvenWhenEmpty) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("INC"));
    dir.Write("INC/KBX.INI", "");
    TAppGlobals globals;
    globals.ComputeFolders(dir.File("quarno-ide"));
    TScriptedPrompts prompts;
    EXPECT_TRUE(CheckConfigurationFile(prompts, globals));
    EXPECT_TRUE(prompts.Boxes().empty());
}
