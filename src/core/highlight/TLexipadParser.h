// The parser component: a named holder of one compiled language, read from and
// written to its compiled parser block (version word, inner stream length,
// the inner stream compressed with the block method), with the properties it
// is stored with and the registry form of its settings; and the run time that
// splits a control's text into tokens with those tables and keeps the
// control's token bytes up to date.
#pragma once

#include "core/editor/TCustomLexipadParser.h"
#include "core/highlight/TLP_Language.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quarno {

class TParserCursor;
class TRegistryStore;

class TLexipadParser : public TCustomLexipadParser {
public:
    static constexpr uint16_t kVersion = 51;
    static constexpr uint16_t kOldestVersion = 50;

    explicit TLexipadParser(std::string name = "");
    // A parser owns large tables; copy one with Assign.
    TLexipadParser(const TLexipadParser&) = delete;
    TLexipadParser& operator=(const TLexipadParser&) = delete;
    // Takes itself out of the slots of the controls still attached.
    ~TLexipadParser() override;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TLP_Language& Language() { return m_language; }
    const TLP_Language& Language() const { return m_language; }
    // The settings in use: the language's own, or the object installed in
    // their place.
    TLP_Settings& Settings() override { return m_installed ? *m_installed : m_language.Settings(); }
    const TLP_Settings& Settings() const {
        return m_installed ? *m_installed : m_language.Settings();
    }
    // Puts another settings object in place of the language's own (null:
    // the own one again) for a dialog that edits a copy; the caller keeps it
    // alive while it is installed. Returns the object it replaces (null for
    // the own one). Controls already attached keep the settings they use.
    TLP_Settings* InstallSettings(TLP_Settings* settings);
    // Replaces the list of attached controls for a while (the controls that
    // follow a working copy); returns the list it replaces.
    std::vector<TCustomLexipad*> ReplaceAttachedControls(std::vector<TCustomLexipad*> controls);

    // --- the run time -------------------------------------------------------------
    // Reads one token at the cursor and adds its character count to length
    // (0 only at the end of the text). Never raises; anything the tables do
    // not describe is a one-character token 0. A control passed here that
    // holds this parser in one of its slots is attached on its first call.
    int NextToken(TCustomLexipad* control, TEdStream& cursor, int& length) override;
    // Restarts at a character whose stored token value is given: its context
    // states (the start states when it has none or token is outside 0..255),
    // no container, an empty state stack.
    void ResetState(int token) override;
    // OnModifyProperties when assigned (answer false); otherwise the options
    // dialog through OnOptionsDialog. After acceptance every attached control
    // applies the settings again and, with UseRegistry and a key, they are
    // written to the registry given with SetRegistry.
    bool EditProperties() override;
    // Rescans the control's document from its first line flagged for
    // restyling (see TRestyler) and writes the token bytes into its records.
    void Restyle(TCustomLexipad& control) override;
    TRestyleProgress RestyleWithin(TCustomLexipad& control, const TRestyleLimit& limit) override;
    void Detach(TCustomLexipad& control) override;

    // Asks every attached control to apply the settings again and rescan its
    // whole text; false when that failed for one of them (the others are
    // still done).
    bool ReapplyToControls();
    const std::vector<TCustomLexipad*>& AttachedControls() const { return m_attached; }

    // Run-time state.
    const TByteSet& CurrentStates() const { return m_states; }
    bool ContainerOpen() const { return m_containerOpen; }
    // A container is still open from the last NextToken.
    bool Busy() const { return m_busy; }
    int ContainerEnd() const { return m_containerEnd; }
    int ContainerToken() const { return m_containerToken; }
    int StackDepth() const { return static_cast<int>(m_stack.size()); }
    // How many of the characters would each come out of NextToken, in the
    // current state, as a one-character plain token that changes nothing: no
    // keyword starts with them, no rule takes them here, plain tokens have no
    // effect and no container is open. The restyler takes such runs (blanks,
    // mostly) in one step.
    int PlainRun(std::string_view chars) const;
    // Pushes beyond this depth are ignored, so no text can make the stack
    // grow without bound.
    static constexpr size_t kMaxStackDepth = 4096;

    // Handler numbers marked custom (match): true when the handler took its
    // characters, advancing the stream and length itself; value is the token
    // value being built and may be changed. Unassigned it answers false.
    std::function<bool(TLexipadParser& sender, int parseId, TEdStream& stream, int& length,
                       int& value)>
        OnCustomParse;
    // Replaces the options dialog of EditProperties.
    std::function<void(TLexipadParser& sender)> OnModifyProperties;
    // The options dialog (all pages) for this parser; true when accepted.
    std::function<bool(TLexipadParser& sender)> OnOptionsDialog;
    void SetRegistry(TRegistryStore* registry) { m_registry = registry; }

    // Stored properties. Compile is stored as "Compiled" and does nothing.
    bool AutoScriptUpdate() const { return m_autoScriptUpdate; }
    void SetAutoScriptUpdate(bool on) { m_autoScriptUpdate = on; }
    const std::string& Compile() const { return m_compile; }
    void SetCompile(const std::string& text) { m_compile = text; }
    const std::string& Script() const { return m_script; }
    void SetScript(const std::string& path) { m_script = path; }
    const std::string& RegistryKey() const { return m_registryKey; }
    void SetRegistryKey(const std::string& key) { m_registryKey = key; }
    bool UseRegistry() const { return m_useRegistry; }
    void SetUseRegistry(bool on) { m_useRegistry = on; }
    // True while the owner is being loaded: an old block version then raises
    // instead of being reported.
    bool Loading() const { return m_loading; }
    void SetLoading(bool on) { m_loading = on; }

    // Called for a block older than version 50 when not loading (parser,
    // version read, version expected).
    std::function<void(TLexipadParser&, uint16_t, uint16_t)> OnParserVersionError;
    // Shows an information message with an OK button; used for the old-version
    // text when OnParserVersionError is not assigned.
    std::function<void(const std::string&)> OnInformation;

    // Writes version 51, the inner stream's length and its block-method
    // container. A fault while writing the tables raises Exception "%s: %s"
    // (name, message).
    void WriteParserData(TStream& stream) const;
    // Resets to an empty language and reads a block. Versions 50 and above are
    // read; an older one raises ELexipadParserError while loading, else goes to
    // OnParserVersionError or OnInformation, the language staying empty.
    // Compressor faults pass as ECompressorException; faults in the inner
    // stream raise Exception "%s: %s" (name, message). After any fault the
    // language is empty.
    void ReadParserData(TStream& stream);
    // Copies another parser's language through the block form.
    void Assign(const TLexipadParser& source);

    // What the last ReadParserData found: the version word, the inner
    // stream's size and the number of compressed blocks.
    struct TBlockInfo {
        uint16_t version = 0;
        int32_t innerSize = 0;
        int blocks = 0;
    };
    const TBlockInfo& LastBlock() const { return m_lastBlock; }

    // Resets to an empty language and compiles a parser script into it.
    // #include <...> names are taken from scriptDir ("" for the folder of
    // Script()). ELXP_COMP_ERROR "** ERROR near line %d, Column %d: %s" at the
    // first error; the tables then hold what was read before it.
    void CompileScript(TStream& stream, const std::string& scriptDir = "");
    // Where the last compilation stopped (1-based; 0 before any error) and
    // which section and entry it was reading.
    int ErrorLine() const { return m_errorLine; }
    int ErrorColumn() const { return m_errorColumn; }
    const std::string& ProgressLabel() const { return m_progressLabel; }
    // The owner has finished loading the stored block: loading ends and,
    // with AutoScriptUpdate and an existing Script() file, the script
    // replaces the tables; either way every attached control applies the
    // parser again. Compile errors pass as ELXP_COMP_ERROR.
    void Loaded();

    // Writes "Highlighting - ", "Key Assignments - " and "Templates - " +
    // the language name under RegistryKey() (the templates value keeps the
    // user's automatic replacements and code templates, which the other two
    // forms do not hold). ELexipad "Registry interface disabled in: " + name
    // without UseRegistry or a key.
    void SaveToRegistry(TRegistryStore& registry) const;
    // Reads the values that are present, from key or, when key is empty, from
    // RegistryKey() (which needs UseRegistry). A bad value raises ELexipad
    // "Invalid data in registry entry "<key>\Highlighting - <language>"".
    void LoadFromRegistry(TRegistryStore& registry, const std::string& key = "");

private:
    struct TScan;
    enum class TExtend { Complete, HandlerDone, CustomValue, Rejected };

    std::string VersionErrorText(uint16_t version) const;
    void Attach(TCustomLexipad& control) override;
    int ScanToken(TParserCursor& cursor);
    bool MatchKeyword(TScan& scan);
    bool FindKeyword(TScan& scan, bool& walked);
    int WalkKeywords(TScan& scan, const TKeywords& trie, bool& walked, int& length);
    void ApplyRule(TScan& scan, const TLP_TokenRule& rule);
    TExtend Extend(TScan& scan, const TLP_MatchPart& continuation, const TLP_Terminator& terminator,
                   bool ruleMode);
    bool MatchTerminator(TScan& scan, const TLP_Terminator& terminator);
    bool TakeRun(TScan& scan, const TLP_CharGroup& group, const TLP_Terminator& terminator);
    bool RunPartHandler(TScan& scan, bool custom, int32_t number);
    void Reject(TScan& scan);
    void ApplyEffects(TScan& scan);
    void ApplyEffect(const TLP_Effect& effect);
    void PushStates();
    void PopStates();
    void ChooseTable();
    const TLP_TokenRule* RuleFor(uint8_t c) const;
    const TLP_CharGroup& GroupOf(uint16_t index) const;

    std::string m_name;
    TLP_Language m_language;
    bool m_autoScriptUpdate = false;
    std::string m_compile = "Compiled";
    std::string m_script;
    std::string m_registryKey;
    bool m_useRegistry = false;
    bool m_loading = false;
    TBlockInfo m_lastBlock;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    std::string m_progressLabel;
    TRegistryStore* m_registry = nullptr;
    TLP_Settings* m_installed = nullptr; // in place of the language's settings, or null

    // Run-time state (never stored).
    TByteSet m_states{0};
    int m_tableState = -1; // the state whose token table is in use; -1: the start table
    std::vector<TByteSet> m_stack;
    bool m_containerOpen = false;
    bool m_busy = false;
    int m_containerEnd = 0;
    int m_containerToken = 0;
    TByteSet m_containerSaved;
    std::vector<TCustomLexipad*> m_attached;
    TCustomLexipad* m_lastAttached = nullptr; // the control of the last NextToken, attached
    // What the scan learnt of a character whatever the state: a keyword
    // starts with it (never plain), or no rule of any state takes it (always
    // plain); judged once a reset, as keywords and rules may change between.
    enum TPlain : uint8_t { kUnjudged, kAlwaysPlain, kNeverPlain, kPlainByState };
    mutable std::array<uint8_t, 256> m_plain{};
    TPlain JudgePlain(uint8_t c) const;
    TPlain PlainKind(uint8_t c) const; // judges c first if need be
    bool IsPlainHere(uint8_t c) const {
        const auto kind = static_cast<TPlain>(m_plain[c]);
        if (kind == kAlwaysPlain) return true;
        return kind != kNeverPlain && IsPlainInState(c);
    }
    bool IsPlainInState(uint8_t c) const;
    bool StartsAWord(uint8_t c) const; // of the language or a keyword table
};

// Inline: the restyler asks before every token, mostly for a blank or two.
inline int TLexipadParser::PlainRun(std::string_view chars) const {
    if (m_containerOpen || m_busy || m_language.Effect(0)) return 0;
    size_t run = 0;
    while (run < chars.size() && IsPlainHere(static_cast<uint8_t>(chars[run])))
        ++run;
    return static_cast<int>(run);
}

} // namespace quarno
