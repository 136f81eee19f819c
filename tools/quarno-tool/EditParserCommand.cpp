// Edit-script command `parser basic|asm`: a shipped language as Parser1, made
// active, so the text is highlighted and the language's settings apply.
#include "EditSession.h"

#include "core/highlight/ShippedLanguages.h"

namespace quarno::tool {
namespace {

EditCommandRegistrar parser("parser", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    if (ShippedLanguageBlock(args[0]).empty())
        throw ScriptError("parser basic or parser asm expected");
    TLexipadParser& language = s.KeepParser(MakeShippedParser(args[0]));
    s.Pad().SetParser(1, &language);
    s.Pad().SetActiveParser(1);
});

} // namespace
} // namespace quarno::tool
