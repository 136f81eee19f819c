// The invisible holder of the syntax parsers.
#include "qt/app/TParserRepository.h"

#include "core/base/StringUtils.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"

namespace quarno {

TParserRepository::TParserRepository(QWidget* parent)
    : QWidget(parent), m_mcubasic(MakeShippedParser("basic")) {
    setObjectName(QStringLiteral("ParserRepository"));
    setWindowTitle(QStringLiteral("ParserRepository"));
    m_mcubasic->SetName("MCUBASIC");
    m_mcubasic->SetCompile("Compiled");
    m_mcubasic->SetScript("KBX.TXT");
    m_mcubasic->SetUseRegistry(false);
    m_byName[UpperCase(m_mcubasic->Settings().LanguageName())] = m_mcubasic.get();
}

// Parsers go before the controls that use them: each takes itself out of the
// controls' slots.
TParserRepository::~TParserRepository() = default;

TLexipadParser* TParserRepository::FindParser(const std::string& languageName) const {
    auto found = m_byName.find(UpperCase(languageName));
    return found == m_byName.end() ? nullptr : found->second;
}

void TParserRepository::LoadParserSettings(TRegistryStore& registry) {
    for (const auto& [name, parser] : m_byName)
        parser->LoadFromRegistry(registry, kRegistryKey);
}

void TParserRepository::SaveParserSettings(TRegistryStore& registry) {
    for (const auto& [name, parser] : m_byName) {
        parser->SetUseRegistry(true);
        parser->SetRegistryKey(kRegistryKey);
        try {
            parser->SaveToRegistry(registry);
        } catch (...) {
            parser->SetUseRegistry(false);
            throw;
        }
        parser->SetUseRegistry(false);
    }
}

} // namespace quarno
