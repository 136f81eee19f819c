// Loading source files in their encoding.
#include "core/editor/SourceFile.h"

#include "core/base/Exceptions.h"
#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/editor/TCustomLexipad.h"

#include <new>

namespace quarno {

TSourceEncoding LoadSourceFile(TCustomLexipad& editor, const std::string& path) {
    TSourceEncoding encoding = DetectFileEncoding(path);
    if (!IsConverted(encoding)) {
        editor.LoadFromFile(path);
        return encoding;
    }
    std::string text;
    try {
        text = Utf8ToAnsi(ReadWholeFile(path));
    } catch (const EFOpenError&) {
        throw ELexipad(Format("File '%s' cannot be opened for reading", path));
    } catch (const std::bad_alloc&) {
        throw ELexipad("Not enough memory for operation");
    }
    editor.SetText(text);
    if (editor.HasOption(smoTitleAsFilename)) editor.SetPrintTitle(path);
    return encoding;
}

} // namespace quarno
