// Loading source files in their encoding.
#include "core/editor/SourceFile.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TFastMemoryStream.h"
#include "core/base/TFileStream.h"
#include "core/editor/TCustomLexipad.h"

#include <new>

namespace quarno {

namespace {

constexpr const char* kCannotRead = "File '%s' cannot be opened for reading";

void LoadBytes(TCustomLexipad& editor, const std::string& path, const TReadProgress& progress) {
    if (!progress) {
        editor.LoadFromFile(path);
        return;
    }
    if (!FileExists(path)) throw ELexipad(Format(kCannotRead, path));
    try {
        TFileStream file(path);
        TProgressStream stream(file, progress);
        editor.LoadFromStream(stream);
    } catch (const EFOpenError&) {
        throw ELexipad(Format(kCannotRead, path));
    }
    if (editor.HasOption(smoTitleAsFilename)) editor.SetPrintTitle(path);
}

} // namespace

TSourceEncoding LoadSourceFile(TCustomLexipad& editor, const std::string& path,
                               const TReadProgress& progress) {
    TSourceEncoding encoding = DetectFileEncoding(path);
    if (!IsConverted(encoding)) {
        LoadBytes(editor, path, progress);
        return encoding;
    }
    std::string text;
    try {
        text = Utf8ToAnsi(ReadWholeFile(path));
    } catch (const EFOpenError&) {
        throw ELexipad(Format(kCannotRead, path));
    } catch (const std::bad_alloc&) {
        throw ELexipad("Not enough memory for operation");
    }
    TFastMemoryStream memory(text);
    TProgressStream stream(memory, progress);
    editor.LoadFromStream(stream);
    if (editor.HasOption(smoTitleAsFilename)) editor.SetPrintTitle(path);
    return encoding;
}

} // namespace quarno
