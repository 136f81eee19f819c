#include "core/viewers/TFileScan.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;

namespace {

struct ContentCase {
    const char* name;
    std::string content;
    std::vector<std::string> texts;
    TSearchType type;
    TSearchStringType mode;
    bool caseSense;
    int result;
};

// Text placed at a byte offset in a file of filler bytes.
std::string Place(size_t size, std::vector<std::pair<size_t, std::string>> pieces) {
    std::string content(size, '-');
    for (const auto& [offset, text] : pieces)
        content.replace(offset, text.size(), text);
    return content;
}

} // namespace

TEST(TFileScanContent, SearchTypesModesAndBlockSeams) {
    const size_t block = TFileScan::kBlockSize;
    const std::vector<ContentCase> cases = {
        {"or, one present", "alpha beta", {"gamma", "beta"}, st_Or, sst_Normal, false, 1},
        {"or, none present", "alpha beta", {"gamma"}, st_Or, sst_Normal, false, 0},
        {"and, one missing", "alpha beta", {"alpha", "gamma"}, st_And, sst_Normal, false, 0},
        {"and, both present", "alpha beta", {"beta", "alpha"}, st_And, sst_Normal, false, 1},
        {"not, present", "alpha beta", {"beta"}, st_Not, sst_Normal, false, 0},
        {"not, absent", "alpha beta", {"gamma"}, st_Not, sst_Normal, false, 1},
        {"case ignored", "Alpha", {"aLPHA"}, st_Or, sst_Normal, false, 1},
        {"case sensed", "Alpha", {"aLPHA"}, st_Or, sst_Normal, true, 0},
        {"ANSI letters upper-cased", "caf\xE9", {"CAF\xC9"}, st_Or, sst_Normal, false, 1},
        {"word inside a word", "xalpha", {"alpha"}, st_Or, sst_Word, false, 0},
        {"word between blank and comma", "a alpha, b", {"alpha"}, st_Or, sst_Word, false, 1},
        {"word at file start and end", "alpha", {"alpha"}, st_Or, sst_Word, false, 1},
        {"prefix", "alphabet", {"alpha"}, st_Or, sst_Prefix, false, 1},
        {"prefix needs a blank before", "x.alpha", {"alpha"}, st_Or, sst_Prefix, false, 0},
        {"suffix before a dot", "xalpha.", {"alpha"}, st_Or, sst_Suffix, false, 1},
        {"suffix needs an end", "alphax", {"alpha"}, st_Or, sst_Suffix, false, 0},
        {"second occurrence matches", "xalpha alpha", {"alpha"}, st_Or, sst_Word, false, 1},
        {"zero bytes are ordinary", std::string("ab\0cd", 5), {"cd"}, st_Or, sst_Normal, false, 1},
        {"empty text never matches", "abc", {""}, st_Or, sst_Normal, false, 0},
        {"and across blocks",
         Place(3 * block, {{100, "FIRST"}, {block + 15000, "SECOND"}}),
         {"first", "second"},
         st_And,
         sst_Normal,
         false,
         1},
        {"and across blocks, one missing",
         Place(3 * block, {{100, "FIRST"}}),
         {"first", "second"},
         st_And,
         sst_Normal,
         false,
         0},
        {"split over the seam",
         Place(2 * block, {{block - 3, "HELLO"}}),
         {"hello"},
         st_Or,
         sst_Normal,
         false,
         1},
        {"word ending on the seam",
         Place(2 * block, {{block - 6, " WORD "}}),
         {"word"},
         st_Or,
         sst_Word,
         false,
         1},
        {"no prefix behind the seam",
         Place(2 * block, {{block - 4, "xABC"}}),
         {"abc"},
         st_Or,
         sst_Prefix,
         false,
         0},
        {"no suffix before the seam",
         Place(2 * block, {{block - 3, "ABCx"}}),
         {"abc"},
         st_Or,
         sst_Suffix,
         false,
         0},
        {"prefix right after the seam",
         Place(2 * block, {{block - 1, " ABC"}}),
         {"abc"},
         st_Or,
         sst_Prefix,
         false,
         1},
        {"exactly one block, suffix at its end",
         Place(block, {{block - 3, "ABC"}}),
         {"abc"},
         st_Or,
         sst_Suffix,
         false,
         1},
    };
    TempDir dir;
    for (const ContentCase& c : cases) {
        std::string path = dir.Write("f.txt", c.content);
        TFileScan scan;
        scan.SetSearchStrings(c.texts);
        scan.SetSearchType(c.type);
        scan.SetSearchStringType(c.mode);
        scan.SetCaseSense(c.caseSense);
        EXPECT_EQ(scan.SearchFileContents(path), c.result) << c.name;
    }
}

TEST(TFileScanContent, FilesThatCannotBeOpenedGiveMinusOne) {
    TFileScan scan;
    scan.SetSearchStrings({"x"});
    EXPECT_EQ(scan.SearchFileContents("/nonexistent-quarno/f"), -1);
}

TEST(TFileScanContent, ScanListsOnlyMatchingFiles) {
    TempDir dir;
    dir.Write("a.bas", "DEVICE 16F84");
    dir.Write("b.bas", "DEVICE 16F877");
    dir.Write("c.bas", "nothing");
    TFileScan scan;
    scan.SetIncDirName(false);
    scan.SetDirectory(dir.Folder());
    scan.SetSearchStrings({"16f84"});
    scan.SetSearchStringType(sst_Word);
    scan.SetStartScan(true);
    EXPECT_EQ(scan.FoundItems(), std::vector<std::string>{"a.bas"});
    scan.SetSearchType(st_Not);
    scan.SetStartScan(true);
    EXPECT_EQ(scan.FoundItems(), (std::vector<std::string>{"b.bas", "c.bas"}));
}

TEST(TFileScanContent, StarAloneExaminesNoContent) {
    TempDir dir;
    dir.Write("a.bas", "text");
    TFileScan scan;
    int scans = 0;
    scan.Events().OnBeforeBufferScan = [&](const std::string&, const std::vector<std::string>&,
                                           std::string_view, bool) { ++scans; };
    scan.SetDirectory(dir.Folder());
    scan.SetSearchStrings({"*"});
    scan.SetStartScan(true);
    EXPECT_EQ(scans, 0);
    EXPECT_EQ(scan.FoundItems().size(), 1u);
    scan.SetSearchStrings({"*", "text"});
    scan.SetStartScan(true);
    EXPECT_GT(scans, 0);
}

TEST(TFileScanContent, BufferEventsSeeTheBlockAndTheOutcome) {
    TempDir dir;
    std::string path = dir.Write("f", "one two");
    TFileScan scan;
    scan.SetSearchStrings({"two", "one"});
    scan.SetSearchType(st_And);
    std::vector<std::string> log;
    scan.Events().OnAfterBufferScan = [&](const std::string& file,
                                          const std::vector<std::string>& texts,
                                          std::string_view buffer, bool, bool found) {
        EXPECT_EQ(file, path);
        EXPECT_EQ(buffer, "one two");
        log.push_back(texts[0] + "|" + texts[1] + "|" + (found ? "found" : "missed"));
    };
    EXPECT_EQ(scan.SearchFileContents(path), 1);
    // A text found under st_And is flagged in the working copy after its scan.
    EXPECT_EQ(log, (std::vector<std::string>{"two|one|found", "Flagged for Deletion!|one|found"}));
}
