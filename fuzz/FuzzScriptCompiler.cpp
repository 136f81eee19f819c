// Fuzzes the parser script compiler. Every fault must be a script error; a
// script that compiles must give a block that reads back and writes the same.
// Includes come from the shipped languages' folder, as they do at build time.
#include "core/base/TMemoryStream.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TLexipadParser.h"

#include <cstdlib>
#include <string>

using namespace quarno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TLexipadParser parser("Fuzz");
    TMemoryStream script(std::string(reinterpret_cast<const char*>(data), size));
    try {
        parser.CompileScript(script, QUARNO_LANGUAGES_DIR);
    } catch (const ELXP_COMP_ERROR&) {
        return 0;
    }
    TMemoryStream block;
    parser.WriteParserData(block);
    block.SetPosition(0);
    TLexipadParser read("Fuzz");
    read.ReadParserData(block);
    TMemoryStream again;
    read.WriteParserData(again);
    if (again.Bytes() != block.Bytes()) std::abort();
    return 0;
}
