// quarno-tool parser: compiled parser blocks. Each verb is one function in the
// table at the end of this file.
#include "ToolCommand.h"

#include "core/base/FileUtils.h"
#include "core/base/TFileStream.h"
#include "core/base/TMemoryStream.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"

namespace quarno::tool {
namespace {

// Reads a block the way a stored form is loaded, so an old version is an error.
void LoadBlock(TLexipadParser& parser, const std::string& path) {
    TFileStream stream(path);
    parser.SetLoading(true);
    parser.ReadParserData(stream);
    parser.SetLoading(false);
}

int RunInfo(const Args& args, std::ostream& out) {
    args.ExpectCount(2, 2);
    TLexipadParser parser("Parser1");
    LoadBlock(parser, args.At(1));
    const TLP_Language& language = parser.Language();
    const TLP_Settings& settings = language.Settings();
    const TLexipadParser::TBlockInfo& block = parser.LastBlock();
    out << "version: " << block.version << "\n"
        << "inner_size: " << block.innerSize << "\n"
        << "blocks: " << block.blocks << "\n"
        << "language: " << settings.LanguageName() << "\n"
        << "keywords: " << language.Keywords().Count() << "\n"
        << "handlers: " << language.HandlerCount() << "\n"
        << "token_starts: " << language.TokenStartCount() << "\n"
        << "context_states: " << language.ContextStateCount() << "\n"
        << "effects: " << language.EffectCount() << "\n"
        << "styles: " << settings.DefinedStyleCount() << "\n"
        << "map_entries: " << settings.MapEntryCount() << "\n"
        << "editable_styles: " << settings.EditableStyles().size() << "\n"
        << "key_commands: " << settings.Keys().Actions().size() << "\n"
        << "key_pairs: " << settings.Keys().AllBindings().size() << "\n";
    return 0;
}

int RunCompile(const Args& args, std::ostream&) {
    args.ExpectCount(3, 3);
    TLexipadParser parser("Parser1");
    parser.SetScript(args.At(1));
    TMemoryStream script(ReadWholeFile(args.At(1)));
    parser.CompileScript(script);
    TMemoryStream block;
    parser.WriteParserData(block);
    block.SaveToFile(args.At(2));
    return 0;
}

// Writes the compiled block of a shipped language as the program carries it.
int RunBuiltin(const Args& args, std::ostream&) {
    args.ExpectCount(3, 3);
    std::string_view block = ShippedLanguageBlock(args.At(1));
    if (block.empty()) throw UsageError("unknown language '" + args.At(1) + "' (basic or asm)");
    WriteFileSafely(args.At(2), block);
    return 0;
}

struct Verb {
    const char* name;
    int (*run)(const Args& args, std::ostream& out);
};

const Verb kVerbs[] = {
    {"info", RunInfo},
    {"compile", RunCompile},
    {"builtin", RunBuiltin},
};

int RunParser(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {}, {});
    const std::string& verb = args.At(0);
    for (const Verb& entry : kVerbs)
        if (verb == entry.name) return entry.run(args, out);
    throw UsageError("unknown parser verb '" + verb + "'");
}

ToolCommandRegistrar registrar({"parser",
                                "parser compile SCRIPT OUT | parser builtin basic|asm OUT | "
                                "parser info BLOCK",
                                RunParser});

} // namespace
} // namespace quarno::tool
