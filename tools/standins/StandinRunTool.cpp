// Stand-in program of the Run menu (HEADER.EXE in INC/EXTERNAL PROGRAMS):
// writes a comment header into RES_FILE.TXT beside itself, which the IDE then
// inserts at the caret. Logs its run like the other stand-ins.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string OwnFolder() {
    char path[PATH_MAX] = {};
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string self = length > 0 ? std::string(path, static_cast<size_t>(length)) : "";
    return self.substr(0, self.find_last_of('/') + 1);
}

int main() {
    if (const char* log = std::getenv("QUARNO_STANDIN_LOG"); log && *log)
        if (std::FILE* file = std::fopen(log, "ab")) {
            std::fprintf(file, "HEADER.EXE\n");
            std::fclose(file);
        }
    std::FILE* out = std::fopen((OwnFolder() + "RES_FILE.TXT").c_str(), "wb");
    if (!out) return 1;
    std::fputs("'****************************************\r\n"
               "'*  Written with the QUARNO+ Editor\r\n"
               "'****************************************\r\n",
               out);
    std::fclose(out);
    return 0;
}
