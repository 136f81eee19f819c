#include "core/base/FileUtils.h"
#include "core/base/Exceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace quarno;
using quarno::test::TempDir;
namespace fs = std::filesystem;

TEST(FileUtils, ForceDirectoriesMakesEveryMissingFolderWithTheMode) {
    TempDir dir;
    ForceDirectories(dir.File("a/b/c/"), 0700);
    for (const char* folder : {"a", "a/b", "a/b/c"}) {
        EXPECT_TRUE(DirectoryExists(dir.File(folder))) << folder;
        EXPECT_EQ(fs::status(dir.File(folder)).permissions() & fs::perms::all, fs::perms::owner_all)
            << folder;
    }
    ForceDirectories(dir.File("a/b/c")); // present: nothing to do
    dir.Write("file", "");
    EXPECT_THROW(ForceDirectories(dir.File("file/sub")), EFCreateError);
    try {
        ForceDirectories(dir.File("file"));
        ADD_FAILURE() << "a file is not a folder";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create folder \"" + dir.File("file") + "\". Not a directory");
    }
}

TEST(FileUtils, PrivateFolderIsMadeOrNarrowedButNeverALinkOrAFile) {
    TempDir dir;
    std::string problem;
    EXPECT_TRUE(EnsurePrivateFolder(dir.File("new"), problem)) << problem;
    EXPECT_EQ(fs::status(dir.File("new")).permissions() & fs::perms::all, fs::perms::owner_all);

    fs::create_directory(dir.File("open"));
    fs::permissions(dir.File("open"), fs::perms::all);
    EXPECT_TRUE(EnsurePrivateFolder(dir.File("open"), problem)) << problem;
    EXPECT_EQ(fs::status(dir.File("open")).permissions() & fs::perms::all, fs::perms::owner_all);

    fs::create_directory_symlink(dir.File("new"), dir.File("link"));
    EXPECT_FALSE(EnsurePrivateFolder(dir.File("link"), problem));
    EXPECT_EQ(problem, dir.File("link") + " is not a folder");

    dir.Write("file", "");
    EXPECT_FALSE(EnsurePrivateFolder(dir.File("file"), problem));
    EXPECT_FALSE(EnsurePrivateFolder(dir.File("missing/sub"), problem));
    EXPECT_EQ(problem.rfind("cannot create " + dir.File("missing/sub"), 0), 0u) << problem;
}

// Another user's folder is refused, never narrowed or used: as root the test
// hands a folder of its own to "nobody"; otherwise a system folder serves.
TEST(FileUtils, PrivateFolderOfAnotherUserIsRefused) {
    TempDir dir;
    std::string folder = "/usr";
    if (::geteuid() == 0) {
        folder = dir.File("theirs");
        fs::create_directory(folder);
        fs::permissions(folder, fs::perms::all);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    }
    auto before = fs::status(folder).permissions();
    std::string problem;
    EXPECT_FALSE(EnsurePrivateFolder(folder, problem));
    EXPECT_EQ(problem, folder + " belongs to another user");
    EXPECT_EQ(fs::status(folder).permissions(), before);
}
