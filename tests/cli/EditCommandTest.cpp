#include "support/RunProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using quarno::test::RunProcess;
using quarno::test::TempDir;

namespace {

quarno::test::ProcessResult RunScript(const TempDir& dir, const std::string& script) {
    return RunProcess(QUARNO_TOOL, {"edit", dir.Write("script.txt", script)});
}

} // namespace

TEST(EditCommand, EditsUndoesAndPrints) {
    TempDir dir;
    auto result = RunScript(dir, "text \"first\\r\\nsecond\"\n"
                                 "print records\n"
                                 "sel 0 5\n"
                                 "replace \"1st\"\n"
                                 "print text\n"
                                 "print sel\n"
                                 "print modified\n"
                                 "undo\n"
                                 "print text\n"
                                 "print canredo\n"
                                 "redo\n"
                                 "print canundo\n"
                                 "print lines\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "6 6\n1st\\rsecond\n3 3\ntrue\nfirst\\rsecond\ntrue\ntrue\n2\n");
}

TEST(EditCommand, LongLineRecordsAndSavedFormats) {
    TempDir dir;
    std::string script = "text \"" + std::string(5000, 'a') + "\\nb\"\nprint records\n" + "save " +
                         dir.File("crlf.txt") + "\nsave " + dir.File("lf.txt") +
                         " unix\nprint modified\n";
    auto result = RunScript(dir, script);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2047 +2047 +907 1\nfalse\n");
    EXPECT_EQ(dir.Read("crlf.txt"), std::string(5000, 'a') + "\r\nb");
    EXPECT_EQ(dir.Read("lf.txt"), std::string(5000, 'a') + "\nb");
}

TEST(EditCommand, LoadsFilesAndIndentsBlocks) {
    TempDir dir;
    dir.Write("prog.bas", "a\r\nb\r\nc\x01\r\n");
    auto result = RunScript(dir, "load " + dir.File("prog.bas") +
                                     "\nprint text\nsel 0 4\nindent 1\nprint text\n"
                                     "unindent 4\nprint text\nprint canundo\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "a\\rb\\rc.\\r\n a\\r b\\rc.\\r\na\\rb\\rc.\\r\ntrue\n");
}

TEST(EditCommand, ErrorsStopTheScriptWithStatusOne) {
    TempDir dir;
    auto unknown = RunScript(dir, "print text\nfrobnicate\nprint text\n");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, "\n");
    EXPECT_NE(unknown.err.find("frobnicate"), std::string::npos);
    auto missing = RunScript(dir, "load " + dir.File("none.bas") + "\n");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "File '" + dir.File("none.bas") + "' cannot be opened for reading\n");
    auto unwritable = RunScript(dir, "text \"x\"\nsave " + dir.File("no/such/dir.txt") + "\n");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(RunScript(dir, "text \"unterminated\n").status, 1);
}
