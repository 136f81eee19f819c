// quarno-tool export: a whole document, highlighted by a language, written
// in one of the editor's save formats.
#include "ToolCommand.h"
#include "ToolLanguages.h"

#include "core/base/TMemoryStream.h"
#include "core/editor/SourceFile.h"
#include "core/editor/TCustomLexipad.h"

namespace quarno::tool {
namespace {

TSaveFormat FormatNamed(const std::string& name) {
    if (name == "html") return sfHTML;
    if (name == "rtf") return sfRTF;
    if (name == "text") return sfTEXT;
    if (name == "unix") return sfUNIX;
    throw UsageError("--format must be html, rtf, text or unix");
}

int RunExport(const std::vector<std::string>& words, std::ostream& out) {
    Args args(words, {"--format", "--lang", "--title"}, {});
    args.ExpectCount(1, 1);
    if (!args.Has("--format")) throw UsageError("--format is required");
    TSaveFormat format = FormatNamed(args.Value("--format"));
    std::unique_ptr<TLexipadParser> parser = LanguageNamed(args.Value("--lang", "basic"));
    TCustomLexipad pad; // after the parser: a control goes before the parser it uses
    pad.SetParser(1, parser.get());
    pad.SetActiveParser(1);
    TSourceEncoding encoding = LoadSourceFile(pad, args.At(0));
    if (args.Has("--title")) pad.SetPrintTitle(args.Value("--title"));
    pad.SetSaveFormat(format);
    TMemoryStream stream;
    pad.SaveToStream(&stream);
    // Plain text goes out in the file's own encoding, as saving writes it.
    std::string bytes = format == sfTEXT || format == sfUNIX
                            ? EncodeSource(stream.Bytes(), encoding)
                            : stream.Bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return 0;
}

ToolCommandRegistrar registrar({"export",
                                "export --format html|rtf|text|unix [--lang L] [--title T] FILE",
                                RunExport});

} // namespace
} // namespace quarno::tool
