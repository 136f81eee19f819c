// Edit-script commands that load, change, undo and save text.
#include "EditSession.h"

#include "core/editor/LexipadMessages.h"

namespace quarno::tool {
namespace {

TSaveFormat FormatNamed(const std::string& name) {
    if (name == "text") return sfTEXT;
    if (name == "unix") return sfUNIX;
    if (name == "rtf") return sfRTF;
    if (name == "html") return sfHTML;
    throw ScriptError("unknown save format '" + name + "'");
}

int OptionalStep(const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 1);
    return args.empty() ? 0 : EditSession::Number(args[0]);
}

EditCommandRegistrar load("load", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    s.Pad().LoadFromFile(args[0]);
});

EditCommandRegistrar text("text", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    s.Pad().Perform(WM_SETTEXT, 0, args[0].c_str());
});

EditCommandRegistrar sel("sel", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 2);
    s.Pad().Perform(EM_SETSEL, static_cast<uintptr_t>(EditSession::Number(args[0])),
                    EditSession::Number(args[1]));
});

// The text may hold NUL bytes (\x00), so it does not go through a C string.
EditCommandRegistrar replace("replace", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    s.Pad().ReplaceSelection(args[0]);
});

EditCommandRegistrar undo("undo", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    s.Pad().Perform(EM_UNDO);
});

EditCommandRegistrar redo("redo", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 0, 0);
    s.Pad().Perform(LPM_REDO);
});

EditCommandRegistrar indent("indent", [](EditSession& s, const std::vector<std::string>& args) {
    s.Pad().Perform(LPM_BLOCKINDENT, static_cast<uintptr_t>(OptionalStep(args)), 0);
});

EditCommandRegistrar unindent("unindent", [](EditSession& s, const std::vector<std::string>& args) {
    s.Pad().Perform(LPM_BLOCKUNINDENT, static_cast<uintptr_t>(OptionalStep(args)), 0);
});

EditCommandRegistrar save("save", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 2);
    s.Pad().SetSaveFormat(args.size() > 1 ? FormatNamed(args[1]) : sfTEXT);
    s.Pad().SaveToFile(args[0]);
});

} // namespace
} // namespace quarno::tool
