// Stand-in programmer and bootloader (ORLAWIN.EXE, BOOTLOAD.EXE): appends one
// line to the file named by QUARNO_STANDIN_LOG, the program's file name and
// each argument in square brackets ("BOOTLOAD.EXE [/tmp/a b/PROG.HEX]"),
// and exits 0. Without the variable it only exits.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* log = std::getenv("QUARNO_STANDIN_LOG");
    if (!log || !*log) return 0;
    std::string self = argv[0];
    std::string line = self.substr(self.find_last_of('/') + 1);
    for (int i = 1; i < argc; ++i)
        line += std::string(" [") + argv[i] + "]";
    std::FILE* file = std::fopen(log, "ab");
    if (!file) return 1;
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
    return 0;
}
