// Journals of modified documents and their recovery after a crash, with a
// real child process killed in the middle of its work.
#include "core/app/TRecoveryJournal.h"
#include "core/base/TFileIdentity.h"
#include "support/DocumentsFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace quarno;
using quarno::test::DocumentsFixture;
using quarno::test::TempDir;

namespace {

// A process id no system hands out (above the kernel's limit of 2^22).
constexpr const char* kGoneOwner = "99999999-12345";

size_t JournalCount(const std::string& folder) {
    std::error_code error;
    size_t count = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder, error))
        count += item.path().extension() == ".journal" ? 1 : 0;
    return count;
}

struct JournalFixture : DocumentsFixture {
    JournalFixture() { docs.SetRecoveryJournal(&journal); }

    std::string folder = dir.File("state/QUARNO/recovery/");
    TRecoveryJournal journal{folder};
};

} // namespace

TEST(TRecoveryJournal, TheDefaultFolderFollowsXdgStateHome) {
    EXPECT_EQ(TRecoveryJournal::DefaultFolder("/s", "/home/u"), "/s/QUARNO/recovery/");
    EXPECT_EQ(TRecoveryJournal::DefaultFolder("", "/home/u"),
              "/home/u/.local/state/QUARNO/recovery/");
    EXPECT_EQ(TRecoveryJournal::DefaultFolder("relative", "/home/u"),
              "/home/u/.local/state/QUARNO/recovery/");
}

TEST(TRecoveryJournal, OnlyJournalsOfCopiesThatNoLongerRunAreOrphans) {
    TempDir dir;
    std::string folder = dir.File("recovery");
    TRecoveryJournal gone(folder, kGoneOwner);
    TRecoveryJournal running(folder, TRecoveryJournal::CurrentOwner());
    std::string text("caf\xE9\rline two\r\0x", 17);
    gone.Write(1, "/src/a.bas", TSourceEncoding::Utf8Bom, text);
    gone.Write(2, "No_name.bas", TSourceEncoding::Ansi, "");
    running.Write(1, "/src/open.bas", TSourceEncoding::Ansi, "still open");
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    TRecoveryJournal next(folder, "1-not-this-one");
    std::vector<TJournalEntry> orphans = next.Orphans();
    ASSERT_EQ(orphans.size(), 2u) << "the running copy's journal is not offered";
    EXPECT_EQ(orphans[0].fileName, "/src/a.bas");
    EXPECT_EQ(orphans[0].text, text);
    EXPECT_EQ(orphans[0].encoding, TSourceEncoding::Utf8Bom);
    EXPECT_EQ(orphans[1].fileName, "No_name.bas");
    EXPECT_EQ(orphans[1].text, "");
    EXPECT_TRUE(running.Orphans().size() == 2) << "nor a copy's own";

    next.Discard(orphans[0]);
    gone.Remove(2);
    EXPECT_TRUE(next.Orphans().empty());
    EXPECT_TRUE(TRecoveryJournal::OwnerIsRunning(TRecoveryJournal::CurrentOwner()));
    EXPECT_FALSE(TRecoveryJournal::OwnerIsRunning(kGoneOwner));
    EXPECT_FALSE(TRecoveryJournal::OwnerIsRunning(std::to_string(::getpid()) + "-1"))
        << "the same id with another start time is another process";
}

TEST(TRecoveryJournal, DamagedJournalsAreNotOffered) {
    TempDir dir;
    std::string folder = dir.File("recovery");
    TRecoveryJournal gone(folder, kGoneOwner);
    gone.Write(1, "/src/a.bas", TSourceEncoding::Ansi, "some text");
    std::string whole = dir.Read("recovery/" + std::string(kGoneOwner) + "-1.journal");
    for (size_t cut : {size_t(0), size_t(10), whole.size() - 3, whole.size() - 1}) {
        dir.Write("recovery/" + std::string(kGoneOwner) + "-1.journal", whole.substr(0, cut));
        EXPECT_TRUE(TRecoveryJournal(folder, "1-x").Orphans().empty()) << "cut at " << cut;
    }
}

TEST_F(JournalFixture, ModifiedDocumentsAreJournalledUntilSavedOrClosed) {
    std::string a = dir.Write("a.bas", "a\r\n");
    std::string b = dir.Write("b.bas", "b\r\n");
    OpenViaDialog(a);
    docs.JournalModifiedDocuments();
    EXPECT_EQ(JournalCount(folder), 0u) << "unmodified documents have none";
    Type("typed ");
    OpenViaDialog(b);
    Type("more ");
    docs.JournalModifiedDocuments();
    EXPECT_EQ(JournalCount(folder), 2u) << "the shown one and the one in its store";

    // Journals are replaced by renaming, so an unchanged inode was not rewritten.
    auto inodes = [this] {
        std::vector<uint64_t> found;
        for (const auto& item : std::filesystem::directory_iterator(folder))
            found.push_back(TFileIdentity::Of(item.path().string()).inode);
        std::sort(found.begin(), found.end());
        return found;
    };
    std::vector<uint64_t> before = inodes();
    docs.JournalModifiedDocuments();
    EXPECT_EQ(inodes(), before) << "an unchanged text is not written again";
    Type("x");
    docs.JournalModifiedDocuments();
    EXPECT_NE(inodes(), before);

    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(JournalCount(folder), 1u) << "saving removes its journal";

    tabs.Select(0);
    docs.OpenFilesTabChange();
    prompts.QueueAnswer(TPromptButton::No);
    docs.Close1Click();
    EXPECT_EQ(JournalCount(folder), 0u) << "a document closed without saving leaves none";
}

TEST_F(JournalFixture, AKilledCopysJournalIsOfferedBackIntactAtTheNextStart) {
    std::string path = dir.Write("prog.bas", "HIGH PORTB.0\r\n");
    std::string typed = "' caf\xE9, typed before the crash\r";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child is a copy of this program that opens, edits, journals and
        // is killed without closing anything.
        TRecoveryJournal own(folder);
        docs.SetRecoveryJournal(&own);
        OpenViaDialog(path);
        Type(typed);
        docs.JournalModifiedDocuments();
        (void)!::write(ready[1], "R", 1);
        for (;;)
            ::pause();
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ::close(ready[0]);
    ::close(ready[1]);

    // The next start: this process, whose own journal is the new one.
    prompts.QueueAnswer(TPromptButton::Yes);
    docs.OfferRecovery();
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].text, Format(TDocumentTabs::kRecoveryQuestion, path));
    ASSERT_NE(docs.Current(), nullptr);
    EXPECT_EQ(docs.Current()->FileName(), path);
    EXPECT_EQ(tabs.captions.back(), "prog.bas");
    EXPECT_EQ(pad.Text(), typed + "HIGH PORTB.0\r");
    EXPECT_EQ(docs.Panel(1), "Modified");
    EXPECT_EQ(dir.Read("prog.bas"), "HIGH PORTB.0\r\n") << "the file itself is untouched";
    EXPECT_EQ(JournalCount(folder), 1u) << "the restored text is journalled by this copy";

    docs.OfferRecovery();
    EXPECT_EQ(prompts.Boxes().size(), 1u) << "offered once";
    ASSERT_TRUE(docs.SaveButtonClick());
    EXPECT_EQ(dir.Read("prog.bas"), "' caf\xE9, typed before the crash\r\nHIGH PORTB.0\r\n");
    EXPECT_EQ(JournalCount(folder), 0u);
}

TEST_F(JournalFixture, NoDiscardsAJournal) {
    TRecoveryJournal(folder, kGoneOwner).Write(3, "No_name.bas", TSourceEncoding::Ansi, "lost");
    prompts.QueueAnswer(TPromptButton::No);
    int before = docs.DocumentCount();
    docs.OfferRecovery();
    EXPECT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(docs.DocumentCount(), before);
    EXPECT_EQ(JournalCount(folder), 0u);
}
