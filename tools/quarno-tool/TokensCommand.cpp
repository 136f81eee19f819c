// quarno-tool tokens: the tokens a language's parser reads from a file, one
// line each ("START LENGTH TOKEN"), scanning the whole text from restart
// token 0 the way the editor holds it (line breaks normalised to CR).
#include "ToolCommand.h"
#include "ToolLanguages.h"

#include "core/base/FileUtils.h"
#include "core/document/TEdStream.h"
#include "core/document/TTextStore.h"
#include "core/document/TextNormalization.h"

#include <memory>

namespace quarno::tool {
namespace {

int RunTokens(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {"--lang"}, {});
    args.ExpectCount(1, 1);
    std::unique_ptr<TLexipadParser> parser = LanguageNamed(args.Value("--lang", "basic"));
    TTextStore store;
    store.InsertText(0, NormalizeText(ReadWholeFile(args.At(0))));
    TEdStream stream(store);
    parser->ResetState(0);
    while (stream.Pos() < stream.CharCount()) {
        int start = stream.Pos();
        int length = 0;
        int token = parser->NextToken(nullptr, stream, length);
        out << start << ' ' << length << ' ' << token << '\n';
        if (length <= 0) stream.Seek(start + 1, TSeekOrigin::soBeginning);
    }
    return 0;
}

ToolCommandRegistrar registrar({"tokens", "tokens [--lang basic|asm|BLOCKFILE] FILE", RunTokens});

} // namespace
} // namespace quarno::tool
