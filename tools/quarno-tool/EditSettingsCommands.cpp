// Edit-script commands that change options and settings, and add range
// marks, templates and automatic replacements.
#include "EditSession.h"

#include "core/settings/TLP_Settings.h"

namespace quarno::tool {
namespace {

const std::map<std::string, uint32_t>& OptionNames() {
    static const std::map<std::string, uint32_t> names = {
        {"smoLineNumbers", smoLineNumbers},
        {"smoSyntaxHighlight", smoSyntaxHighlight},
        {"smoPrintWrap", smoPrintWrap},
        {"smoPrintLineNos", smoPrintLineNos},
        {"smoPrintFilename", smoPrintFilename},
        {"smoPrintDate", smoPrintDate},
        {"smoPrintPageNos", smoPrintPageNos},
        {"smoWordWrap", smoWordWrap},
        {"smoAutoIndent", smoAutoIndent},
        {"smoTabToColumn", smoTabToColumn},
        {"smoWrapOverride", smoWrapOverride},
        {"smoWordSelect", smoWordSelect},
        {"smoShowRMargin", smoShowRMargin},
        {"smoShowGutter", smoShowGutter},
        {"smoShowWrapColumn", smoShowWrapColumn},
        {"smoTitleAsFilename", smoTitleAsFilename},
        {"smoProcessDroppedFiles", smoProcessDroppedFiles},
        {"smoBlockOverwriteCursor", smoBlockOverwriteCursor},
        {"smoShowWrapGlyph", smoShowWrapGlyph},
        {"smoColumnTrack", smoColumnTrack},
        {"smoUseTAB", smoUseTAB},
        {"smoSmartFill", smoSmartFill},
        {"smoOLEDragSource", smoOLEDragSource},
        {"smoShowAllChars", smoShowAllChars},
        {"smoCaretAfterEOL", smoCaretAfterEOL}};
    return names;
}

bool Flag(const std::string& value) {
    int number = EditSession::Number(value);
    if (number != 0 && number != 1) throw ScriptError("1 or 0 expected");
    return number == 1;
}

void SetOption(TCustomLexipad& pad, uint32_t option, bool on) {
    pad.SetOptions(on ? pad.Options() | option : pad.Options() & ~option);
}

using Setter = std::function<void(TCustomLexipad&, const std::string&)>;

const std::map<std::string, Setter>& Setters() {
    static const std::map<std::string, Setter> setters = {
        {"TabColumns",
         [](TCustomLexipad& p, const std::string& v) {
             p.Settings().SetTabColumns(v);
             p.SettingsChanged();
         }},
        {"TabDefault",
         [](TCustomLexipad& p, const std::string& v) {
             p.Settings().SetTabDefault(EditSession::Number(v));
             p.SettingsChanged();
         }},
        {"IndentStep",
         [](TCustomLexipad& p, const std::string& v) { p.SetIndentStep(EditSession::Number(v)); }},
        {"WordWrap",
         [](TCustomLexipad& p, const std::string& v) { SetOption(p, smoWordWrap, Flag(v)); }},
        {"WrapAtColumn", [](TCustomLexipad& p,
                            const std::string& v) { p.SetWrapAtColumn(EditSession::Number(v)); }},
        {"ReadOnly", [](TCustomLexipad& p, const std::string& v) { p.SetReadOnly(Flag(v)); }},
        {"InsertMode", [](TCustomLexipad& p, const std::string& v) { p.SetInsertMode(Flag(v)); }},
        {"RightMargin",
         [](TCustomLexipad& p, const std::string& v) { p.SetRightMargin(EditSession::Number(v)); }},
    };
    return setters;
}

EditCommandRegistrar option("option", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 1);
    const std::string& word = args[0];
    auto found = word.size() > 1 ? OptionNames().find(word.substr(1)) : OptionNames().end();
    if ((word[0] != '+' && word[0] != '-') || found == OptionNames().end())
        throw ScriptError("option +NAME or -NAME with an smo option name");
    SetOption(s.Pad(), found->second, word[0] == '+');
});

EditCommandRegistrar set("set", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 2, 2);
    auto setter = Setters().find(args[0]);
    if (setter == Setters().end()) throw ScriptError("cannot set '" + args[0] + "'");
    setter->second(s.Pad(), args[1]);
});

EditCommandRegistrar mark("mark", [](EditSession& s, const std::vector<std::string>& args) {
    ExpectArgs(args, 4, 4);
    if (args[0] != "add") throw ScriptError("mark add START LENGTH VALUE");
    s.Pad().Store().RangeMarks().Add(EditSession::Number(args[1]), EditSession::Number(args[2]),
                                     EditSession::Number(args[3]));
});

EditCommandRegistrar templateAdd("template", [](EditSession& s,
                                                const std::vector<std::string>& args) {
    ExpectArgs(args, 3, 3);
    if (args[0] != "add") throw ScriptError("template add NAME \"body\"");
    s.Pad().Settings().Templates().Add(args[1], "", false, args[2]);
});

EditCommandRegistrar autoReplaceAdd("autoreplace", [](EditSession& s,
                                                      const std::vector<std::string>& args) {
    ExpectArgs(args, 3, 3);
    if (args[0] != "add") throw ScriptError("autoreplace add FROM \"TO\"");
    s.Pad().Settings().AutoReplace().Add(args[1], "", false, args[2]);
});

} // namespace
} // namespace quarno::tool
