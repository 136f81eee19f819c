// Fuzz harness: pasting and dropping arbitrary data with arbitrary source-type
// flags, drop positions and selections. Whatever goes in, the text must stay
// a valid document, and one undo must give back exactly the text before.
#include "core/editor/ILexipadClipboard.h"
#include "core/editor/TCustomLexipad.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const char* const kDocument = "Main:\r    High PORTB.0\r\tDelayMS 500 ' wait\rGoTo Main\r";

int Take(std::string_view& bytes) {
    if (bytes.empty()) return 0;
    auto value = static_cast<unsigned char>(bytes.front());
    bytes.remove_prefix(1);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto flags = static_cast<quarno::TSourceTypes>(Take(bytes) | (Take(bytes) << 8));
    int mode = Take(bytes);
    int anchor = Take(bytes);
    int caret = Take(bytes);
    int position = Take(bytes);
    size_t split = bytes.find('\xFF');
    std::string text(bytes.substr(0, split));
    std::string html(split == std::string_view::npos ? "" : bytes.substr(split + 1));

    quarno::TCustomLexipad pad;
    quarno::TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    pad.SetText(kDocument);
    if (mode & 1) pad.SetOptions(pad.Options() | quarno::smoWordWrap);
    pad.SetSelection(anchor % (pad.CharCount() + 1), caret % (pad.CharCount() + 1));
    std::string before = pad.Text();
    if (mode & 2)
        pad.OnDataDrop = [flags](quarno::TCustomLexipad&, quarno::TSourceTypes& types) {
            types = flags;
        };
    pad.OnFilesDropped = [](quarno::TCustomLexipad&, std::vector<std::string>& files,
                            quarno::TPoint) { files.push_back("added"); };
    if (mode & 4) {
        if (!text.empty()) clipboard.PutText(text);
        if (!html.empty()) clipboard.PutHtml(html);
        pad.PasteFromClipboard();
    } else {
        quarno::TDropObj dropped;
        if (!text.empty()) dropped.text.push_back(text);
        if (!html.empty()) dropped.html.push_back(html);
        if (mode & 8) dropped.files.push_back(text);
        quarno::TDropRequest request;
        request.available = static_cast<quarno::TSourceTypes>(flags | dropped.Available());
        request.position = position;
        request.copy = (mode & 16) != 0;
        request.fromSelf = (mode & 32) != 0;
        pad.DropData(dropped, request);
    }
    std::string after = pad.Text();
    if (static_cast<int>(after.size()) != pad.CharCount() || after.find('\n') != std::string::npos)
        std::abort();
    if (after != before) {
        pad.Undo();
        if (pad.Text() != before) std::abort();
        pad.Redo();
        if (pad.Text() != after) std::abort();
    }
    return 0;
}
