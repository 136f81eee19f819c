// Runs a program without a shell, output captured through temporary files.
#include "support/RunProcess.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quarno::test {

static std::string TakeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ::unlink(path.c_str());
    return text;
}

static std::string MakeTempName() {
    char pattern[] = "/tmp/quarno-run-XXXXXX";
    int fd = ::mkstemp(pattern);
    if (fd >= 0) ::close(fd);
    return pattern;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    std::string outName = MakeTempName();
    std::string errName = MakeTempName();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outName.c_str(), O_WRONLY | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errName.c_str(), O_WRONLY | O_TRUNC, 0600);

    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> envWords;
    for (char** entry = environ; *entry; ++entry)
        envWords.emplace_back(*entry);
    envWords.insert(envWords.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& word : envWords)
        envp.push_back(word.data());
    envp.push_back(nullptr);

    ProcessResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = TakeFile(outName);
    result.err = TakeFile(errName);
    return result;
}

} // namespace quarno::test
