#include "core/viewers/TFileScan.h"
#include "core/viewers/ViewerExceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

using namespace quarno;
using quarno::test::TempDir;

namespace {

// Sets a file's modification time to a local date and time.
void Touch(const std::string& path, int year, int month, int day, int hour = 12, int minute = 0,
           int second = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    timespec times[2] = {{std::mktime(&t), 0}, {std::mktime(&t), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::vector<std::string> Scan(TFileScan& scan, const TempDir& dir) {
    scan.SetDirectory(dir.Folder());
    scan.SetStartScan(true);
    return scan.FoundItems();
}

} // namespace

TEST(TFileScan, DefaultsAtConstruction) {
    TFileScan scan;
    EXPECT_EQ(scan.Directory(), "/");
    EXPECT_EQ(scan.FileSpecs(), "*.*");
    EXPECT_EQ(scan.FileType(), std::set<TFileType>{ftNormal});
    EXPECT_TRUE(scan.DirType().empty());
    EXPECT_TRUE(scan.IncSubDir());
    EXPECT_FALSE(scan.SearchAllDrives());
    EXPECT_EQ(scan.SearchStringType(), sst_Normal);
    EXPECT_EQ(scan.SearchType(), st_Or);
    EXPECT_FALSE(scan.CaseSense());
    EXPECT_EQ(scan.FileSizeComp(), fctNone);
    EXPECT_EQ(scan.FileAgeComp(), fctNone);
    EXPECT_EQ(scan.MatchLimit(), 0);
    EXPECT_TRUE(scan.IncDirName());
    EXPECT_FALSE(scan.AppendItems());
    EXPECT_FALSE(scan.StartScan());
    scan.SetDirectory("/tmp");
    EXPECT_EQ(scan.Directory(), "/tmp/");
}

TEST(TFileScan, ExternalProgramsFolderListsOnlyItsOwnPrograms) {
    TempDir dir;
    dir.Write("B.exe", "b");
    dir.Write("A.EXE", "a");
    dir.Write("notes.txt", "n");
    std::filesystem::create_directory(dir.File("TOOLS"));
    dir.Write("TOOLS/C.EXE", "c");
    std::filesystem::create_directory(dir.File("old.dir"));
    TFileScan scan;
    scan.SetFileSpecs("*.exe");
    std::vector<std::string> folders;
    scan.Events().OnFoundDirectory = [&](const std::string& path, const TSearchRec& info) {
        EXPECT_TRUE(scan.Busy());
        folders.push_back(path + info.Name);
    };
    EXPECT_EQ(Scan(scan, dir),
              (std::vector<std::string>{dir.Folder() + "A.EXE", dir.Folder() + "B.exe"}));
    EXPECT_EQ(folders, std::vector<std::string>{dir.Folder() + "TOOLS"});
    EXPECT_FALSE(scan.Busy());
}

TEST(TFileScan, PatternsInOrderAndAFileMatchingTwiceIsListedTwice) {
    TempDir dir;
    for (const char* name : {"c.exe", "a.com", "b.exe", "README"})
        dir.Write(name, "x");
    TFileScan scan;
    scan.SetIncDirName(false);
    scan.SetFileSpecs("*.exe;*.com");
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{"b.exe", "c.exe", "a.com"}));
    scan.SetFileSpecs("b*; *.EXE");
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{"b.exe", "b.exe", "c.exe"}));
    scan.SetFileSpecs("*.*");
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{"README", "a.com", "b.exe", "c.exe"}));
    scan.SetFileSpecs("?.com");
    EXPECT_EQ(Scan(scan, dir), std::vector<std::string>{"a.com"});
}

TEST(TFileScan, PatternMatchingFollowsWindowsRules) {
    EXPECT_TRUE(TFileScan::MatchesPattern("*.*", "README"));
    EXPECT_TRUE(TFileScan::MatchesPattern("READ*.*", "readme"));
    EXPECT_TRUE(TFileScan::MatchesPattern("*.exe", "PROG.EXE"));
    EXPECT_FALSE(TFileScan::MatchesPattern("*.exe", "prog.exe.txt"));
    EXPECT_FALSE(TFileScan::MatchesPattern("?.exe", "ab.exe"));
    EXPECT_TRUE(TFileScan::MatchesPattern("a*b*c", "aXXbYYc"));
    EXPECT_FALSE(TFileScan::MatchesPattern("a*b*c", "aXXbYY"));
}

TEST(TFileScan, MatchLimitStopsWithItsLine) {
    TempDir dir;
    for (const char* name : {"1.bas", "2.bas", "3.bas", "4.bas", "5.bas"})
        dir.Write(name, "x");
    TFileScan scan;
    scan.SetIncDirName(false);
    scan.SetMatchLimit(2);
    EXPECT_EQ(Scan(scan, dir),
              (std::vector<std::string>{
                  "1.bas", "2.bas", "  *** Search Match Limit has been meet!  Search Stopped."}));
    scan.SetMatchLimit(0);
    EXPECT_EQ(Scan(scan, dir).size(), 5u);
}

TEST(TFileScan, HiddenFilesOnlyWithTheirAttributeInTheMask) {
    TempDir dir;
    dir.Write(".hidden", "x");
    dir.Write("plain", "x");
    TFileScan scan;
    scan.SetIncDirName(false);
    EXPECT_EQ(Scan(scan, dir), std::vector<std::string>{"plain"});
    scan.SetFileType({ftNormal, ftHidden});
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{".hidden", "plain"}));
}

TEST(TFileScan, AppendItemsKeepsEarlierLines) {
    TempDir dir;
    dir.Write("a.bas", "x");
    TFileScan scan;
    scan.SetIncDirName(false);
    scan.SetAppendItems(true);
    Scan(scan, dir);
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{"a.bas", "a.bas"}));
}

TEST(TFileScan, MissingFolderGivesAnEmptyList) {
    TFileScan scan;
    scan.FoundItems().push_back("old");
    scan.SetDirectory("/nonexistent-quarno-folder");
    scan.SetStartScan(true);
    EXPECT_TRUE(scan.FoundItems().empty());
}

TEST(TFileScan, ResultLinesWithSizeDateAndAttributes) {
    TempDir dir;
    dir.Write("big.bin", std::string(1234567, 'x'));
    Touch(dir.File("big.bin"), 2021, 3, 4, 5, 6, 7);
    dir.Write("ro.txt", "r");
    ::chmod(dir.File("ro.txt").c_str(), 0444);
    TFileScan scan;
    scan.SetShowSize(true);
    scan.SetShowDate(true);
    scan.SetShowAttr(true);
    std::vector<std::string> lines = Scan(scan, dir);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], dir.Folder() + "big.bin" + "     1,234,567  2021/03/04  05:06:07  -----A");
    EXPECT_EQ(lines[1].substr(0, dir.Folder().size() + 22),
              dir.Folder() + "ro.txt" + "             1  ");
    EXPECT_EQ(lines[1].substr(lines[1].size() - 8), "  R----A");
}

TEST(TFileScan, SizeAndAgeFilters) {
    TempDir dir;
    dir.Write("small", "12");
    dir.Write("large", "1234");
    dir.Write("old", "1");
    Touch(dir.File("old"), 2001, 1, 1);
    struct Case {
        TFileCompareType comp;
        int64_t size;
        std::vector<std::string> found;
    };
    const std::vector<Case> sizeCases = {
        {fctEqual, 2, {"small"}},
        {fctGreaterThan, 2, {"large"}},
        {fctLessThan, 2, {"old"}},
        {fctGreaterThanOrEqual, 2, {"large", "small"}},
        {fctLessThanOrEqual, 2, {"old", "small"}},
    };
    for (const Case& c : sizeCases) {
        TFileScan scan;
        scan.SetIncDirName(false);
        scan.SetFileSizeComp(c.comp);
        scan.SetFileSize(c.size);
        EXPECT_EQ(Scan(scan, dir), c.found) << c.comp;
    }
    TFileScan scan;
    scan.SetIncDirName(false);
    scan.SetFileAgeComp(fctGreaterThan);
    scan.SetFileAge(365);
    EXPECT_EQ(Scan(scan, dir), std::vector<std::string>{"old"});
    scan.SetFileAgeComp(fctEqual);
    scan.SetFileAge(0); // stamped today
    EXPECT_EQ(Scan(scan, dir), (std::vector<std::string>{"large", "small"}));
}

TEST(TFileScan, DateRangeExcludesBothEndsAtMidnight) {
    TempDir dir;
    dir.Write("f", "x");
    Touch(dir.File("f"), 2020, 6, 15, 12);
    struct Case {
        int start[3];
        int end[3];
        bool found;
    };
    const std::vector<Case> cases = {
        {{2020, 6, 1}, {2020, 6, 30}, true},
        {{2020, 6, 15}, {2020, 6, 16}, true}, // after midnight of the start date
        {{2020, 6, 1}, {2020, 6, 15}, false}, // stamped on the end date
        {{2020, 6, 16}, {2020, 6, 30}, false},
    };
    for (const Case& c : cases) {
        TFileScan scan;
        scan.SetStartYear(c.start[0]);
        scan.SetStartMonth(c.start[1]);
        scan.SetStartDay(c.start[2]);
        scan.SetEndYear(c.end[0]);
        scan.SetEndMonth(c.end[1]);
        scan.SetEndDay(c.end[2]);
        EXPECT_EQ(Scan(scan, dir).size(), c.found ? 1u : 0u) << c.start[2] << ".." << c.end[2];
    }
}

TEST(TFileScan, EndWithoutStartBeginsIn1900) {
    TempDir dir;
    dir.Write("f", "x");
    Touch(dir.File("f"), 1999, 1, 1);
    TFileScan scan;
    scan.SetEndYear(2000);
    scan.SetEndMonth(1);
    scan.SetEndDay(1);
    EXPECT_EQ(Scan(scan, dir).size(), 1u);
    EXPECT_EQ(scan.StartYear(), 1900);
    EXPECT_EQ(scan.StartMonth(), 1);
    EXPECT_EQ(scan.StartDay(), 1);
}

TEST(TFileScan, DateRangeThatIsNoDateEndsTheScanWithAConversionError) {
    TempDir dir;
    dir.Write("f", "x");
    TFileScan scan;
    scan.SetStartYear(2020);
    scan.SetEndYear(2021); // months and days left at 0
    bool ended = false;
    scan.Events().OnEndSearch = [&] { ended = true; };
    scan.SetDirectory(dir.Folder());
    EXPECT_THROW(scan.SetStartScan(true), EConvertError);
    EXPECT_FALSE(ended);
    EXPECT_FALSE(scan.Busy());
}

TEST(TFileScan, DateSettersRejectWithTheirMessagesAndKeepTheOldValue) {
    struct Case {
        void (TFileScan::*set)(int);
        int (TFileScan::*get)() const;
        int bad;
        const char* message;
    };
    const std::vector<Case> cases = {
        {&TFileScan::SetStartYear, &TFileScan::StartYear, 1900,
         "Invalid Start Year: Year Must be > 1900 - Or Equal 0"},
        {&TFileScan::SetEndYear, &TFileScan::EndYear, -5,
         "Invalid End Year: Year Must be > 1900 or Equal 0"},
        {&TFileScan::SetStartMonth, &TFileScan::StartMonth, 13,
         "Invalid Start Month: Month Must be 0 < Month > 13 - Or Equal to 0"},
        {&TFileScan::SetEndMonth, &TFileScan::EndMonth, -1,
         "Invalid End Month: Month Must be 0 < Month > 13 - Or Equal to 0"},
        {&TFileScan::SetStartDay, &TFileScan::StartDay, 32,
         "Invalid Start Day: Day Must be 0 > Day < (Max for Month)"},
        {&TFileScan::SetEndDay, &TFileScan::EndDay, -1,
         "Invalid End Day: Day Must be 0 > Day < (Max for Month)"},
    };
    for (const Case& c : cases) {
        TFileScan scan;
        (scan.*c.set)(c.bad == 1900 || c.bad == -5 ? 2001 : 1);
        int before = (scan.*c.get)();
        try {
            (scan.*c.set)(c.bad);
            ADD_FAILURE() << c.message;
        } catch (const EInvalidStartEndDate& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ((scan.*c.get)(), before) << c.message;
        (scan.*c.set)(0); // always accepted
        EXPECT_EQ((scan.*c.get)(), 0);
    }
}

TEST(TFileScan, DaySettersUseTheMonthAndTheLeapYearRule) {
    struct Case {
        int year, month, day;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {2000, 2, 29, true},  {2100, 2, 29, false}, {2024, 2, 29, true}, {2023, 2, 29, false},
        {2023, 4, 31, false}, {2023, 4, 30, true},  {2023, 0, 31, true}, {2023, 0, 32, false},
    };
    for (const Case& c : cases) {
        for (bool end : {false, true}) {
            TFileScan scan;
            end ? scan.SetEndYear(c.year) : scan.SetStartYear(c.year);
            end ? scan.SetEndMonth(c.month) : scan.SetStartMonth(c.month);
            auto set = [&] { end ? scan.SetEndDay(c.day) : scan.SetStartDay(c.day); };
            if (c.accepted)
                EXPECT_NO_THROW(set()) << c.year << "-" << c.month << "-" << c.day;
            else
                EXPECT_THROW(set(), EInvalidStartEndDate)
                    << c.year << "-" << c.month << "-" << c.day;
        }
    }
}

TEST(TFileScan, EventsAndTheCurrentFileLabel) {
    TempDir dir;
    dir.Write("a.bas", "x");
    dir.Write("b.bas", "x");
    TFileScan scan;
    std::vector<std::string> log;
    scan.Events().OnStartSearch = [&] { log.push_back("start"); };
    scan.Events().OnEndSearch = [&] { log.push_back("end"); };
    scan.Events().OnFoundFile = [&](const std::string& path, const TSearchRec& info) {
        EXPECT_EQ(path, dir.Folder());
        log.push_back("found " + info.Name + " " + std::to_string(info.Size));
    };
    scan.Events().CurrInfoLabel = [&](const std::string& caption) { log.push_back(caption); };
    Scan(scan, dir);
    const std::string blanks(78, ' ');
    EXPECT_EQ(log,
              (std::vector<std::string>{"start", dir.Folder() + "a.bas" + blanks, "found a.bas 1",
                                        dir.Folder() + "b.bas" + blanks, "found b.bas 1", "end"}));
}
