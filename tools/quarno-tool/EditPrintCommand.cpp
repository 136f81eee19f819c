// The edit-script command `print WHAT`: reports the engine's state.
#include "EditSession.h"

#include "core/editor/LexipadMessages.h"

namespace quarno::tool {
namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

std::string ShownText(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else
            shown += c;
    }
    return shown;
}

std::string Records(const TTextStore& store) {
    std::string layout;
    for (int i = 0; i < store.RecordCount(); ++i) {
        if (i > 0) layout += ' ';
        if (store.Record(i).IsContinuation()) layout += '+';
        layout += std::to_string(store.Record(i).Length());
    }
    return layout;
}

using Printer = std::function<void(EditSession&)>;

void PrintMarks(EditSession& s) {
    if (!s.Pad().Store().HasRangeMarks()) return;
    TRangeMarks& marks = s.Pad().Store().RangeMarks();
    for (TRangeMark* mark = marks.First(); mark; mark = marks.Next(mark))
        s.Out() << mark->start << " " << mark->end << " " << mark->value << "\n";
}

void PrintBookmarks(EditSession& s) {
    for (int index = 0; index < 10; ++index) {
        int line = 0;
        int column = 0;
        if (s.Pad().GetBookmark(index, line, column))
            s.Out() << index << " " << line << " " << column << "\n";
    }
}

const std::map<std::string, Printer>& Printers() {
    static const std::map<std::string, Printer> printers = {
        {"text", [](EditSession& s) { s.Out() << ShownText(s.Pad().Text()) << "\n"; }},
        {"sel",
         [](EditSession& s) {
             s.Out() << s.Pad().SelStart() << " " << s.Pad().SelStart() + s.Pad().SelLength()
                     << "\n";
         }},
        {"lines", [](EditSession& s) { s.Out() << s.Pad().Perform(EM_GETLINECOUNT) << "\n"; }},
        {"records", [](EditSession& s) { s.Out() << Records(s.Pad().Store()) << "\n"; }},
        {"modified", [](EditSession& s) { s.Out() << Bool(s.Pad().Modified()) << "\n"; }},
        {"canundo", [](EditSession& s) { s.Out() << Bool(s.Pad().CanUndo()) << "\n"; }},
        {"canredo", [](EditSession& s) { s.Out() << Bool(s.Pad().CanRedo()) << "\n"; }},
        {"caret",
         [](EditSession& s) {
             s.Out() << s.Pad().CaretLine() << ":" << s.Pad().CaretColumn() << "\n";
         }},
        {"marks", PrintMarks},
        {"bookmarks", PrintBookmarks},
    };
    return printers;
}

EditCommandRegistrar print("print", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    auto printer = Printers().find(args[0]);
    if (printer == Printers().end()) throw ScriptError("cannot print '" + args[0] + "'");
    printer->second(s);
});

} // namespace
} // namespace quarno::tool
