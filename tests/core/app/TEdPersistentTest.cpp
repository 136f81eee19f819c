#include "core/app/TEdPersistent.h"
#include "core/base/Exceptions.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quarno;
using quarno::test::TempDir;
using Items = std::vector<std::string>;

static Items Numbered(int count, const std::string& prefix = "item") {
    Items items;
    for (int i = 1; i <= count; ++i)
        items.push_back(prefix + std::to_string(i));
    return items;
}

TEST(TEdPersistent, CreatesAnEmptyHistoryFileWhenMissing) {
    TempDir dir;
    TEdPersistent store(dir.Folder());
    EXPECT_EQ(store.FilePath(), dir.File("QUARNO.DAT"));
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "");
    EXPECT_TRUE(store.ReadRecentFiles().empty());
    EXPECT_EQ(store.SearchOptions(), 0);
    EXPECT_EQ(store.LastSearchText(), "");
}

TEST(TEdPersistent, ReadSectionStopsAtEmptyLineAndAfterTwentyItems) {
    TempDir dir;
    std::string file = "[mru]\r\n";
    for (const std::string& item : Numbered(25))
        file += item + "\r\n";
    file += "\r\n[FindHistory]\r\nfoo\r\nbar\r\n\r\nlost\r\n";
    dir.Write("QUARNO.DAT", file);
    TEdPersistent store(dir.Folder());
    EXPECT_EQ(store.ReadRecentFiles(), Numbered(20));
    EXPECT_EQ(store.ReadFindHistory(), (Items{"foo", "bar"}));
    EXPECT_TRUE(store.ReadReplaceHistory().empty());
}

// Appended directly after a last line that is not empty, the section would
// read as items of the section above: an empty line goes between them.
TEST(TEdPersistent, MissingSectionIsAppendedAfterAnEmptyLine) {
    TempDir dir;
    dir.Write("QUARNO.DAT", "[FindHistory]\r\nfoo");
    TEdPersistent store(dir.Folder());
    store.WriteRecentFiles({"/a.bas", "/b.bas"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"),
              "[FindHistory]\r\nfoo\r\n\r\n[MRU]\r\n/a.bas\r\n/b.bas\r\n\r\n");
    EXPECT_EQ(store.ReadFindHistory(), (Items{"foo"}));
    store.WriteRecentFiles({"/c.bas"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[FindHistory]\r\nfoo\r\n\r\n[MRU]\r\n/c.bas\r\n\r\n");
    EXPECT_EQ(store.ReadFindHistory(), (Items{"foo"}));
}

TEST(TEdPersistent, RewritingKeepsOtherSectionsAndMovesTheSectionToTheEnd) {
    TempDir dir;
    TEdPersistent store(dir.Folder());
    store.WriteRecentFiles({"/a.bas"});
    store.WriteFindHistory({"PORTB", "High"});
    store.WriteReplaceHistory({"Low"});
    store.WriteRecentFiles({"/b.bas", "/a.bas"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[FindHistory]\r\nPORTB\r\nHigh\r\n\r\n"
                                      "[ReplaceHistory]\r\nLow\r\n\r\n"
                                      "[MRU]\r\n/b.bas\r\n/a.bas\r\n\r\n");
    TEdPersistent reread(dir.Folder());
    EXPECT_EQ(reread.ReadRecentFiles(), (Items{"/b.bas", "/a.bas"}));
}

TEST(TEdPersistent, EmptyEntriesAreSkippedButCountTowardsTheLimit) {
    TempDir dir;
    TEdPersistent store(dir.Folder());
    Items items = Numbered(25);
    items[0] = "";
    items[5] = "";
    store.WriteRecentFiles(items);
    Items expected = Numbered(20);
    expected.erase(expected.begin() + 5);
    expected.erase(expected.begin());
    EXPECT_EQ(store.ReadRecentFiles(), expected);
    store.WriteSection("[Other]", {"x", "y", "z"}, 2);
    EXPECT_EQ(store.ReadSection("[OTHER]"), (Items{"x", "y"}));
}

TEST(TEdPersistent, LeadingEmptyLinesAreDroppedOnSave) {
    TempDir dir;
    dir.Write("QUARNO.DAT", "\r\n\r\n[Keep]\r\nvalue\r\n");
    TEdPersistent store(dir.Folder());
    store.WriteFindHistory({"x"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[Keep]\r\nvalue\r\n\r\n[FindHistory]\r\nx\r\n\r\n");
}

// The section moved from the start to the end gets its empty line too, or
// [Keep] would read "[MRU]" and "new" as its own items.
TEST(TEdPersistent, SectionAtTheStartIsReplacedAfterAnEmptyLine) {
    TempDir dir;
    dir.Write("QUARNO.DAT", "[MRU]\r\nold\r\n\r\n\r\n[Keep]\r\nvalue\r\n");
    TEdPersistent store(dir.Folder());
    store.WriteRecentFiles({"new"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[Keep]\r\nvalue\r\n\r\n[MRU]\r\nnew\r\n\r\n");
    EXPECT_EQ(store.ReadSection("[Keep]"), Items{"value"});
}

TEST(TEdPersistent, SearchStateIsNeverWritten) {
    TempDir dir;
    TEdPersistent store(dir.Folder());
    store.SetLastSearchText("PORTB");
    store.SetSearchOptions(5);
    store.WriteFindHistory({"a"});
    EXPECT_EQ(store.LastSearchText(), "PORTB");
    EXPECT_EQ(store.SearchOptions(), 5);
    EXPECT_EQ(dir.Read("QUARNO.DAT").find("PORTB"), std::string::npos);
}

TEST(TEdPersistent, ReadingOnlyLeavesAMissingFileMissing) {
    TempDir dir;
    TEdPersistent store(dir.Folder(), "QUARNO.DAT", TEdPersistent::mfLeave);
    EXPECT_TRUE(store.ReadRecentFiles().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("QUARNO.DAT")));
    store.WriteRecentFiles({"/a.bas"});
    EXPECT_EQ(dir.Read("QUARNO.DAT"), "[MRU]\r\n/a.bas\r\n\r\n");
}

// A history path that names a pipe (or a link to one) is an error and is
// never replaced by a regular file.
TEST(TEdPersistent, APipeIsRefusedAndKept) {
    TempDir dir;
    std::string fifo = dir.File("QUARNO.DAT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, dir.File("LINK.DAT"));
    for (const char* name : {"QUARNO.DAT", "LINK.DAT"})
        for (auto missing : {TEdPersistent::mfCreate, TEdPersistent::mfLeave})
            EXPECT_THROW(TEdPersistent(dir.Folder(), name, missing), EStreamError) << name;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("LINK.DAT")));
}

// A file name holding a newline would come back as two recent files, and a
// search for "[MRU]" as the recent files' header: such items are left out.
// A file that already holds such an item (an older version wrote it) still
// finds the section that follows an empty line.
TEST(TEdPersistent, ItemsWithLineBreaksOrLikeHeadersKeepTheSectionsApart) {
    TempDir dir;
    {
        TEdPersistent store(dir.Folder());
        store.WriteFindHistory({"[MRU]", "[replacehistory]", "x"});
        store.WriteRecentFiles({"/a\nb.bas", "/c.bas", "/d\r.bas", "/e.bas"});
        store.WriteReplaceHistory({"r"});
        store.WriteFindHistory({"[MRU]", "y", "[abc]"});
    }
    TEdPersistent again(dir.Folder());
    EXPECT_EQ(again.ReadRecentFiles(), (Items{"/c.bas", "/e.bas"}));
    EXPECT_EQ(again.ReadFindHistory(), (Items{"y", "[abc]"}));
    EXPECT_EQ(again.ReadReplaceHistory(), Items{"r"});

    dir.Write("QUARNO.DAT", "[FindHistory]\r\n[MRU]\r\nx\r\n\r\n[MRU]\r\n/m.bas\r\n");
    TEdPersistent older(dir.Folder());
    EXPECT_EQ(older.ReadRecentFiles(), Items{"/m.bas"});
    // Copies of a section further down go when it is written.
    older.WriteRecentFiles({"/n.bas"});
    EXPECT_EQ(TEdPersistent(dir.Folder()).ReadRecentFiles(), Items{"/n.bas"});
    EXPECT_EQ(dir.Read("QUARNO.DAT").find("/m.bas"), std::string::npos);
    // Edited by hand without the empty lines, its sections are still found.
    dir.Write("QUARNO.DAT", "[FindHistory]\r\nf\r\n[MRU]\r\n/m.bas\r\n");
    TEdPersistent edited(dir.Folder());
    EXPECT_EQ(edited.ReadRecentFiles(), Items{"/m.bas"});
}
