#include "core/base/ProgramSearch.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarno;
using quarno::test::TempDir;

namespace {

std::string Executable(const TempDir& dir, const std::string& name) {
    std::string path = dir.Write(name, "#!/bin/sh\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

} // namespace

TEST(ProgramSearch, TheFirstExecutableOnThePathWins) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("a"));
    std::filesystem::create_directories(dir.File("b"));
    std::filesystem::create_directories(dir.File("c/kcalc"));
    dir.Write("a/xcalc", "not executable");
    std::string second = Executable(dir, "b/xcalc");
    Executable(dir, "c/xcalc");
    const std::string path = dir.File("a") + ":" + dir.File("b/") + ":" + dir.File("c");
    struct Case {
        const char* name;
        std::string expected;
    };
    const Case cases[] = {
        {"xcalc", second}, // a/xcalc may not be executed
        {"kcalc", ""},     // a folder of that name is no program
        {"missing", ""},   // nowhere
        {"b/xcalc", ""},   // a name with a folder is not searched
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindProgramOnPath(c.name, path), c.expected) << c.name;
    EXPECT_EQ(FindProgramOnPath("xcalc", ""), ""); // the current folder only
}

TEST(ProgramSearch, FilesAreFoundInAnyCaseTheExactNameFirst) {
    TempDir dir;
    EXPECT_EQ(FindFileIgnoringCase(dir.File("TERM.EXE")), dir.File("TERM.EXE")); // none
    dir.Write("term.exe", "");
    EXPECT_EQ(FindFileIgnoringCase(dir.File("TERM.EXE")), dir.File("term.exe"));
    dir.Write("TERM.EXE", "");
    EXPECT_EQ(FindFileIgnoringCase(dir.File("TERM.EXE")), dir.File("TERM.EXE"));
    EXPECT_EQ(FindFileIgnoringCase(""), "");
    EXPECT_EQ(FindFileIgnoringCase(dir.File("gone/TERM.EXE")), dir.File("gone/TERM.EXE"));
}
