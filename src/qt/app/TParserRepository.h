// The invisible holder of the syntax parsers, never shown: it owns the
// "MCUBASIC" parser that every document is shown with, and finds parsers by
// language name.
#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <string>

namespace quarno {

class TLexipadParser;
class TRegistryStore;

class TParserRepository : public QWidget {
    Q_OBJECT
public:
    explicit TParserRepository(QWidget* parent = nullptr);
    ~TParserRepository() override;

    // The parser whose language has this name (any case), or null.
    TLexipadParser* FindParser(const std::string& languageName) const;

    // The key every parser keeps the user's settings under.
    static constexpr const char* kRegistryKey = "Software\\QUARNO_PLUS_COMP";
    // Each parser reads its settings from the key when they are there (a
    // bad value raises ELexipad; the parsers before it are loaded).
    void LoadParserSettings(TRegistryStore& registry);
    // Each parser writes its settings under the key; registry use is
    // switched on only for the write.
    void SaveParserSettings(TRegistryStore& registry);

private:
    std::unique_ptr<TLexipadParser> m_mcubasic;
    std::map<std::string, TLexipadParser*> m_byName; // upper-cased language names
};

} // namespace quarno
