// Saving a document of a few MB survives a crash at any moment: a child
// process saves and is killed with SIGKILL at a random moment of the save;
// afterwards the file holds the complete old or the complete new text and
// the ".BAK" a complete copy. A save onto a full file system reports the
// error and loses nothing.
#include "support/DocumentsFixture.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quarno::test {
namespace {

// How many saves are killed: QUARNO_CRASH_SAVES when set (`make reliability`
// asks for 1000), else 200.
int KilledSaves() {
    const char* wanted = std::getenv("QUARNO_CRASH_SAVES");
    int count = wanted ? std::atoi(wanted) : 0;
    return count > 0 ? count : 200;
}

// A text of about two MB whose lines differ, so a file cut short or
// pieced together from two texts cannot match either.
std::string BigText(char tag) {
    std::string text;
    for (int line = 0; text.size() < 2'000'000; ++line)
        text += std::string(1, tag) + " line " + std::to_string(line) +
                " PRINT \"some text to fill the line up\"\r\n";
    return text;
}

// A folder in memory when /dev/shm is there: a kill ends a process, not the
// machine, so what the page cache holds is what the next reader sees, and the
// saves' fsync calls cost nothing there, which keeps 200 runs to seconds.
class TMemoryFolder {
public:
    explicit TMemoryFolder(const TempDir& fallback) {
        std::string pattern = "/dev/shm/quarno-crash-XXXXXX";
        m_path = ::access("/dev/shm", W_OK) == 0 && ::mkdtemp(pattern.data()) ? pattern + "/"
                                                                              : fallback.Folder();
        m_own = m_path != fallback.Folder();
    }
    ~TMemoryFolder() {
        std::error_code ignored;
        if (m_own) std::filesystem::remove_all(m_path, ignored);
    }
    TMemoryFolder(const TMemoryFolder&) = delete;
    TMemoryFolder& operator=(const TMemoryFolder&) = delete;
    std::string File(const std::string& name) const { return m_path + name; }
    const std::string& Folder() const { return m_path; }

private:
    std::string m_path;
    bool m_own = false;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Files the killed saves may leave: the temporary files beside the target.
int LeftoverTemporaries(const TMemoryFolder& dir) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Folder()))
        if (entry.path().filename().string().rfind(".big.", 0) == 0) {
            std::filesystem::remove(entry.path());
            ++count;
        }
    return count;
}

struct SaveCrashFixture : DocumentsFixture {
    // Forks a child that saves the current document and ends; the parent
    // learns through a pipe when the save begins and kills the child after
    // delay (or lets it finish when delay is negative). True when the child
    // ended by itself with a successful save.
    bool SaveInChild(std::chrono::microseconds delay, std::chrono::microseconds* took = nullptr) {
        int ready[2];
        if (::pipe(ready) != 0) std::abort();
        pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            char go = 'g';
            if (::write(ready[1], &go, 1) != 1) ::_exit(3);
            ::_exit(docs.SaveButtonClick() ? 0 : 1);
        }
        ::close(ready[1]);
        char go = 0;
        EXPECT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        auto start = std::chrono::steady_clock::now();
        if (delay.count() >= 0) {
            std::this_thread::sleep_for(delay);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (took)
            *took = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - start);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

TEST_F(SaveCrashFixture, AKilledSaveLeavesTheOldOrTheNewFileAndACompleteBackup) {
    TMemoryFolder folder(dir);
    const std::string oldText = BigText('o');
    const std::string earlierBackup = "the backup of an earlier save\r\n";
    const std::string path = folder.File("big.bas");
    const std::string backupPath = folder.File("big.BAK");
    WriteFile(path, oldText);
    OpenViaDialog(path);
    pad.SetSelection(0, pad.CharCount());
    Type(BigText('n'));

    // One save that runs to its end gives the new file and the time a save takes.
    WriteFile(backupPath, earlierBackup);
    std::chrono::microseconds took{};
    ASSERT_TRUE(SaveInChild(std::chrono::microseconds(-1), &took));
    const std::string newText = ReadFile(path);
    ASSERT_NE(newText, oldText);
    ASSERT_EQ(ReadFile(backupPath), oldText);

    std::mt19937 random(20261209);
    // Kills spread over the whole save and a little after it.
    std::uniform_int_distribution<long> moment(0, took.count() * 11 / 10);
    int oldKept = 0;
    int newWritten = 0;
    int backupsMade = 0;
    int leftovers = 0;
    const int saves = KilledSaves();
    std::string file;
    std::string backup;
    for (int run = 0; run < saves; ++run) {
        // A run that changed nothing leaves the files ready for the next.
        if (run == 0 || file != oldText) WriteFile(path, oldText);
        if (run == 0 || backup != earlierBackup) WriteFile(backupPath, earlierBackup);
        long at = moment(random);
        SaveInChild(std::chrono::microseconds(at));
        file = ReadFile(path);
        backup = ReadFile(backupPath);
        ASSERT_TRUE(file == oldText || file == newText)
            << "run " << run << ", killed after " << at << " us: the file holds " << file.size()
            << " bytes of neither text";
        ASSERT_TRUE(backup == earlierBackup || backup == oldText)
            << "run " << run << ", killed after " << at << " us: the backup holds " << backup.size()
            << " bytes";
        // The backup is made before the file is replaced.
        if (file == newText) {
            ASSERT_EQ(backup, oldText) << "run " << run;
        }
        file == oldText ? ++oldKept : ++newWritten;
        if (backup == oldText) ++backupsMade;
        leftovers += LeftoverTemporaries(folder);
    }
    std::printf("%d killed saves (a save takes %ld us): old file kept %d, new file %d, "
                "backup made %d, temporary files left behind %d\n",
                saves, static_cast<long>(took.count()), oldKept, newWritten, backupsMade,
                leftovers);
}

// A small file system of its own when the test may mount one (root);
// otherwise the file-size limit of the saving process plays the full disk.
class TSmallFileSystem {
public:
    explicit TSmallFileSystem(const std::string& folder) : m_folder(folder) {
        std::filesystem::create_directories(folder);
        m_mounted = ::geteuid() == 0 &&
                    ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m,mode=0700") == 0;
    }
    ~TSmallFileSystem() {
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    TSmallFileSystem(const TSmallFileSystem&) = delete;
    TSmallFileSystem& operator=(const TSmallFileSystem&) = delete;
    bool Mounted() const { return m_mounted; }

private:
    std::string m_folder;
    bool m_mounted = false;
};

TEST_F(SaveCrashFixture, ASaveOntoAFullDiskReportsItAndKeepsTheOldFileAndTheChanges) {
    TSmallFileSystem small(dir.File("small"));
    const std::string oldText = "DEVICE 16F84\r\nPRINT \"old\"\r\n";
    std::string path = dir.Write("small/full.bas", oldText);
    OpenViaDialog(path);
    pad.SetSelection(0, pad.CharCount());
    Type(BigText('n')); // two MB do not fit into one
    ASSERT_EQ(docs.Panel(1), "Modified");

    std::string message;
    bool saved = false;
    if (small.Mounted()) {
        saved = docs.SaveButtonClick();
        ASSERT_FALSE(prompts.Boxes().empty());
        message = prompts.Boxes().back().text;
    } else {
        // The limit holds in a child only, where writing past it fails with
        // EFBIG as a full disk fails with ENOSPC.
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{1 << 20, 1 << 20};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            bool ok = docs.SaveButtonClick();
            std::string shown = prompts.Boxes().empty() ? "" : prompts.Boxes().back().text;
            shown += ok ? "\nsaved" : "\nrefused";
            shown += "\n" + docs.Panel(1);
            ssize_t ignored = ::write(out[1], shown.data(), shown.size());
            (void)ignored;
            ::_exit(0);
        }
        ::close(out[1]);
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(out[0], buffer, sizeof buffer)) > 0)
            message.append(buffer, static_cast<size_t>(got));
        ::close(out[0]);
        ::waitpid(child, nullptr, 0);
        saved = message.find("\nsaved") != std::string::npos;
        ASSERT_NE(message.find("\nModified"), std::string::npos) << message;
    }
    EXPECT_FALSE(saved);
    EXPECT_NE(message.find("full.bas"), std::string::npos) << message;
    EXPECT_NE(message.find(small.Mounted() ? std::strerror(ENOSPC) : std::strerror(EFBIG)),
              std::string::npos)
        << message;
    EXPECT_EQ(dir.Read("small/full.bas"), oldText);
    EXPECT_EQ(dir.Read("small/full.BAK"), oldText);
    EXPECT_EQ(docs.Panel(1), "Modified");
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("small")))
        EXPECT_EQ(entry.path().filename().string().rfind(".full.", 0), std::string::npos)
            << "temporary file left: " << entry.path();
}

} // namespace
} // namespace quarno::test
