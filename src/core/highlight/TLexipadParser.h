// The parser component: a named holder of one compiled language, read from and
// written to its compiled parser block (version word, inner stream length,
// the inner stream compressed with the block method), with the properties it
// is stored with and the registry form of its settings.
#pragma once

#include "highlight/TLP_Language.h"

#include <functional>
#include <string>

namespace quarno {

class TRegistryStore;

class TLexipadParser {
public:
    static constexpr uint16_t kVersion = 51;
    static constexpr uint16_t kOldestVersion = 50;

    explicit TLexipadParser(std::string name = "");
    // A parser owns large tables; copy one with Assign.
    TLexipadParser(const TLexipadParser&) = delete;
    TLexipadParser& operator=(const TLexipadParser&) = delete;
    virtual ~TLexipadParser() = default;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TLP_Language& Language() { return m_language; }
    const TLP_Language& Language() const { return m_language; }
    TLP_Settings& Settings() { return m_language.Settings(); }
    const TLP_Settings& Settings() const { return m_language.Settings(); }

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

    // Writes "Highlighting - " and "Key Assignments - " + the language name
    // under RegistryKey(). ELexipad "Registry interface disabled in: " + name
    // without UseRegistry or a key.
    void SaveToRegistry(TRegistryStore& registry) const;
    // Reads both values when present, from key or, when key is empty, from
    // RegistryKey() (which needs UseRegistry). A bad value raises ELexipad
    // "Invalid data in registry entry "<key>\Highlighting - <language>"".
    void LoadFromRegistry(TRegistryStore& registry, const std::string& key = "");

private:
    std::string VersionErrorText(uint16_t version) const;

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
};

} // namespace quarno
