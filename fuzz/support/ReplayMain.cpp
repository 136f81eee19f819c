// Runs a libFuzzer harness over every file of the folders or files named on
// the command line, so seed corpora replay without libFuzzer. Replaying
// nothing fails: a moved or empty corpus must not pass as a clean run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static void RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path root(argv[i]);
        if (std::filesystem::is_directory(root)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
                if (entry.is_regular_file()) {
                    RunFile(entry.path());
                    ++count;
                }
        } else if (std::filesystem::exists(root)) {
            RunFile(root);
            ++count;
        }
    }
    std::printf("replayed %d inputs\n", count);
    if (count == 0) {
        std::fprintf(stderr, "no input to replay\n");
        return 1;
    }
    return 0;
}
