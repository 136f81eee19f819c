#include "core/app/TSearchHistory.h"
#include "core/app/TEdPersistent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::TempDir;
using Items = std::vector<std::string>;

TEST(TSearchHistory, SearchedTextsGoToTheTopAndInitialTextsToTheEnd) {
    TSearchHistory history;
    history.Load({"b", "a", "b", "", "c"});
    EXPECT_EQ(history.Items(), (Items{"b", "a", "c"}));
    history.Remember("c");
    history.Remember("new");
    EXPECT_EQ(history.Items(), (Items{"new", "c", "b", "a"}));
    EXPECT_EQ(history.AddAtEnd("preset"), 4);
    EXPECT_EQ(history.AddAtEnd("b"), 2) << "a listed text keeps its place";
    for (const std::string& refused :
         {std::string(), std::string("two\rlines"), std::string("two\nlines")}) {
        EXPECT_EQ(history.AddAtEnd(refused), -1);
        history.Remember(refused);
    }
    EXPECT_EQ(history.Items(), (Items{"new", "c", "b", "a", "preset"}));
}

TEST(TSearchHistory, ManySearchesKeepTheTwentyMostRecentOnDisk) {
    TempDir dir;
    TEdPersistent store(dir.Folder());
    TSearchHistory history;
    history.Load(store.ReadFindHistory());
    for (int i = 1; i <= 25; ++i)
        history.Remember("text" + std::to_string(i));
    history.Remember("text3");
    ASSERT_EQ(history.Items().size(), 25u);
    EXPECT_EQ(history.Items()[0], "text3");
    EXPECT_EQ(history.Items()[1], "text25");
    store.WriteFindHistory(history.Items());

    std::string expected = "[FindHistory]\r\ntext3\r\n";
    for (int i = 25; i >= 7; --i)
        expected += "text" + std::to_string(i) + "\r\n";
    EXPECT_EQ(dir.Read("QUARNO.DAT"), expected + "\r\n");
    TEdPersistent reread(dir.Folder());
    history.Load(reread.ReadFindHistory());
    EXPECT_EQ(history.Items().size(), 20u);
    EXPECT_EQ(history.Items().back(), "text7");
}
