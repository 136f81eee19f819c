// Languages for quarno-tool commands.
#include "ToolLanguages.h"

#include "core/base/TFileStream.h"
#include "core/highlight/ShippedLanguages.h"

namespace quarno::tool {

std::unique_ptr<TLexipadParser> LanguageNamed(const std::string& name) {
    if (!ShippedLanguageBlock(name).empty()) return MakeShippedParser(name);
    auto parser = std::make_unique<TLexipadParser>("Parser1");
    TFileStream stream(name);
    parser->SetLoading(true);
    parser->ReadParserData(stream);
    parser->SetLoading(false);
    return parser;
}

} // namespace quarno::tool
