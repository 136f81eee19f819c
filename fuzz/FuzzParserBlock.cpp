// Fuzzes the compiled parser block reader. A block that reads must write back
// to a block that reads to the same bytes again.
#include "core/base/TMemoryStream.h"
#include "core/highlight/TLexipadParser.h"

#include <cstdlib>
#include <exception>
#include <string>

using namespace quarno;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TLexipadParser parser("Fuzz");
    TMemoryStream block(std::string(reinterpret_cast<const char*>(data), size));
    try {
        parser.ReadParserData(block);
    } catch (const std::exception&) {
        return 0;
    }
    TMemoryStream written;
    parser.WriteParserData(written);
    TLexipadParser again("Fuzz");
    written.SetPosition(0);
    again.ReadParserData(written);
    TMemoryStream rewritten;
    again.WriteParserData(rewritten);
    if (rewritten.Bytes() != written.Bytes()) std::abort();
    return 0;
}
