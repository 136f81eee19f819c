// The headless editing session behind `quarno-tool edit`: a freshly
// constructed editing engine driven by a script of one command per line.
// Script commands register themselves by name (one file per group of
// commands), so later features add commands without touching this file.
#pragma once

#include "core/editor/ILexipadClipboard.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/TLexipadParser.h"

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarno::tool {

// A mistake in the script itself (unknown command, bad argument).
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EditSession {
public:
    explicit EditSession(std::ostream& out);

    TCustomLexipad& Pad() { return m_pad; }
    std::ostream& Out() { return m_out; }
    TMemoryClipboard& Clipboard() { return m_clipboard; }
    // Keeps a parser for as long as the session (and its control) lives.
    TLexipadParser& KeepParser(std::unique_ptr<TLexipadParser> parser);

    // Runs every line; the first error ends the run (raised to the caller).
    void Run(const std::string& script);

    // Splits a script line into words; "..." is one word with \r \n \t \\ \"
    // and \xHH escapes.
    static std::vector<std::string> SplitWords(const std::string& line);
    static int Number(const std::string& word);

private:
    // Declared before the control, which must go first.
    std::vector<std::unique_ptr<TLexipadParser>> m_parsers;
    TCustomLexipad m_pad;
    std::ostream& m_out;
    TMemoryClipboard m_clipboard;
};

using EditCommandHandler = std::function<void(EditSession&, const std::vector<std::string>& args)>;

const std::map<std::string, EditCommandHandler>& EditCommands();

struct EditCommandRegistrar {
    EditCommandRegistrar(const std::string& name, EditCommandHandler handler);
};

// Raises ScriptError unless args holds between min and max words.
void ExpectArgs(const std::vector<std::string>& args, size_t min, size_t max);

} // namespace quarno::tool
