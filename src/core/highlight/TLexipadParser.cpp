// The parser component: compiled parser blocks, the registry form and the
// controls that use the parser.
#include "core/highlight/TLexipadParser.h"

#include "core/base/FileUtils.h"
#include "core/base/StringUtils.h"
#include "core/base/TMemoryStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TCompressor.h"
#include "core/highlight/TLXP_Compiler.h"
#include "core/highlight/TLXP_ScriptParser.h"
#include "core/highlight/TRegistryStore.h"
#include "core/highlight/TRestyler.h"
#include "core/settings/SettingsRegistryText.h"

#include <algorithm>

namespace quarno {

TLexipadParser::TLexipadParser(std::string name) : m_name(std::move(name)) {
    ResetState(0);
}

TLexipadParser::~TLexipadParser() {
    std::vector<TCustomLexipad*> controls = m_attached;
    for (TCustomLexipad* control : controls) {
        try {
            for (int slot = 1; slot <= 6; ++slot)
                if (control->Parser(slot) == this) control->SetParser(slot, nullptr);
        } catch (...) {
            // A control that cannot take the parser out stays as it is; the
            // destructor must not throw.
        }
    }
}

// Only a control that holds this parser in a slot is remembered: it tells the
// parser when it goes away, so the list never keeps a dangling control. The
// control shows the settings of its active parser directly, so attaching has
// nothing to copy.
void TLexipadParser::Attach(TCustomLexipad& control) {
    if (&control == m_lastAttached) return;
    if (std::find(m_attached.begin(), m_attached.end(), &control) != m_attached.end()) {
        m_lastAttached = &control;
        return;
    }
    for (int slot = 1; slot <= 6; ++slot) {
        if (control.Parser(slot) == this) {
            m_attached.push_back(&control);
            return;
        }
    }
}

void TLexipadParser::Detach(TCustomLexipad& control) {
    if (&control == m_lastAttached) m_lastAttached = nullptr;
    m_attached.erase(std::remove(m_attached.begin(), m_attached.end(), &control), m_attached.end());
}

TLP_Settings* TLexipadParser::InstallSettings(TLP_Settings* settings) {
    TLP_Settings* previous = m_installed;
    m_installed = settings == &m_language.Settings() ? nullptr : settings;
    return previous;
}

std::vector<TCustomLexipad*>
TLexipadParser::ReplaceAttachedControls(std::vector<TCustomLexipad*> controls) {
    m_lastAttached = nullptr;
    std::swap(m_attached, controls);
    return controls;
}

void TLexipadParser::Restyle(TCustomLexipad& control) {
    TRestyler(*this, control).Run();
}

TRestyleProgress TLexipadParser::RestyleWithin(TCustomLexipad& control,
                                               const TRestyleLimit& limit) {
    return TRestyler(*this, control).Run(limit);
}

bool TLexipadParser::ReapplyToControls() {
    bool allDone = true;
    std::vector<TCustomLexipad*> controls = m_attached;
    for (TCustomLexipad* control : controls) {
        try {
            TTextStore& store = control->Store();
            store.FlagRestyle(0, store.RecordCount() - 1);
            control->SettingsChanged();
        } catch (const std::exception&) {
            allDone = false;
        }
    }
    return allDone;
}

bool TLexipadParser::EditProperties() {
    if (OnModifyProperties) {
        OnModifyProperties(*this);
        return false;
    }
    if (!OnOptionsDialog || !OnOptionsDialog(*this)) return false;
    ReapplyToControls();
    if (m_useRegistry && !m_registryKey.empty() && m_registry) SaveToRegistry(*m_registry);
    return true;
}

void TLexipadParser::WriteParserData(TStream& stream) const {
    TMemoryStream inner;
    try {
        m_language.WriteInner(inner);
    } catch (const std::exception& error) {
        throw Exception(Format("%s: %s", m_name, error.what()));
    }
    WriteUInt16(stream, kVersion);
    WriteInt32(stream, static_cast<int32_t>(inner.Size()));
    inner.SetPosition(0);
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetMethod(TCompressor::kMethodBlock);
    compressor.SetInputStream(&inner);
    compressor.SetOutputStream(&stream);
    compressor.Compress();
}

std::string TLexipadParser::VersionErrorText(uint16_t version) const {
    return Format("%s: DFM file saved by different version of TLexipadParser.\n\r"
                  "Recompile script to update DFM file.\n\r"
                  "Expected version was %d read version was %d",
                  m_name, static_cast<int>(kVersion), static_cast<int>(version));
}

void TLexipadParser::ReadParserData(TStream& stream) {
    m_language.Reset();
    ResetState(0);
    m_lastBlock = {};
    uint16_t version = 0;
    try {
        version = ReadUInt16(stream);
        ReadInt32(stream); // the stored inner length; the container has its own
    } catch (const std::exception& error) {
        throw Exception(Format("%s: %s", m_name, error.what()));
    }
    m_lastBlock.version = version;
    if (version < kOldestVersion) {
        std::string text = VersionErrorText(version);
        if (m_loading) throw ELexipadParserError(text);
        if (OnParserVersionError)
            OnParserVersionError(*this, version, kVersion);
        else if (OnInformation)
            OnInformation(text);
        return;
    }
    TMemoryStream inner;
    TCompressor compressor;
    compressor.SetStreamMode(true);
    compressor.SetInputStream(&stream);
    compressor.SetOutputStream(&inner);
    compressor.Decompress();
    m_lastBlock.innerSize = static_cast<int32_t>(inner.Size());
    m_lastBlock.blocks = compressor.BlocksRead();
    inner.SetPosition(0);
    try {
        m_language.ReadInner(inner, version);
    } catch (const std::exception& error) {
        m_language.Reset();
        ResetState(0);
        throw Exception(Format("%s: %s", m_name, error.what()));
    }
    ResetState(0);
}

void TLexipadParser::Assign(const TLexipadParser& source) {
    if (&source == this) return;
    TMemoryStream block;
    source.WriteParserData(block);
    block.SetPosition(0);
    ReadParserData(block);
}

void TLexipadParser::CompileScript(TStream& stream, const std::string& scriptDir) {
    m_language.Reset();
    ResetState(0);
    m_progressLabel = "Header";
    m_errorLine = m_errorColumn = 0;
    TLXP_Compiler compiler(stream.ReadRemaining(),
                           scriptDir.empty() ? ExtractFilePath(m_script) : scriptDir);
    TLXP_ScriptParser parser(m_language, compiler);
    try {
        parser.Run();
    } catch (const ELXP_COMP_ERROR& error) {
        m_errorLine = error.Line();
        m_errorColumn = error.Column();
        m_progressLabel = parser.ProgressLabel();
        throw;
    }
    m_progressLabel = parser.ProgressLabel();
    ResetState(0);
    ReapplyToControls();
}

void TLexipadParser::Loaded() {
    m_loading = false;
    if (m_autoScriptUpdate && !m_script.empty() && FileExists(m_script)) {
        TMemoryStream script(ReadWholeFile(m_script));
        CompileScript(script); // applies itself to the attached controls
        return;
    }
    ReapplyToControls();
}

void TLexipadParser::SaveToRegistry(TRegistryStore& registry) const {
    if (!m_useRegistry || m_registryKey.empty())
        throw ELexipad("Registry interface disabled in: " + m_name);
    const std::string& language = Settings().LanguageName();
    registry.WriteString(m_registryKey, "Highlighting - " + language,
                         HighlightingRegistryText(Settings()));
    registry.WriteBinary(m_registryKey, "Key Assignments - " + language,
                         KeyAssignmentsRegistryValue(Settings()));
    registry.WriteBinary(m_registryKey, "Templates - " + language,
                         TemplatesRegistryValue(Settings()));
}

void TLexipadParser::LoadFromRegistry(TRegistryStore& registry, const std::string& key) {
    std::string from = key;
    if (from.empty()) {
        if (!m_useRegistry || m_registryKey.empty())
            throw ELexipad("Registry interface disabled in: " + m_name);
        from = m_registryKey;
    }
    const std::string language = Settings().LanguageName();
    const std::string invalid =
        "Invalid data in registry entry \"" + from + "\\Highlighting - " + language + "\"";
    try {
        if (auto text = registry.ReadString(from, "Highlighting - " + language))
            ReadHighlightingRegistryText(Settings(), *text);
        if (auto bytes = registry.ReadBinary(from, "Key Assignments - " + language))
            ReadKeyAssignmentsRegistryValue(Settings(), *bytes);
        if (auto bytes = registry.ReadBinary(from, "Templates - " + language))
            ReadTemplatesRegistryValue(Settings(), *bytes);
    } catch (const Exception&) {
        throw ELexipad(invalid);
    }
}

} // namespace quarno
