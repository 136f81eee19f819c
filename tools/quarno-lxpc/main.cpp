// quarno-lxpc: the build-time step that compiles a language script into a
// compiled parser block, so the program carries its languages compiled.
// Usage: quarno-lxpc SCRIPT BLOCK. Exit status 1 with the compiler's message
// on standard error when the script does not compile.
#include "core/base/FileUtils.h"
#include "core/base/TMemoryStream.h"
#include "core/highlight/TLexipadParser.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quarno-lxpc SCRIPT BLOCK\n";
        return 2;
    }
    try {
        const std::string script = argv[1];
        quarno::TLexipadParser parser("Parser1");
        parser.SetScript(script);
        quarno::TMemoryStream text(quarno::ReadWholeFile(script));
        parser.CompileScript(text);
        quarno::TMemoryStream block;
        parser.WriteParserData(block);
        quarno::WriteFileSafely(argv[2], block.Bytes());
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
