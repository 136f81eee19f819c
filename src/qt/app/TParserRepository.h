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

class TParserRepository : public QWidget {
    Q_OBJECT
public:
    explicit TParserRepository(QWidget* parent = nullptr);
    ~TParserRepository() override;

    // The parser whose language has this name (any case), or null.
    TLexipadParser* FindParser(const std::string& languageName) const;

private:
    std::unique_ptr<TLexipadParser> m_mcubasic;
    std::map<std::string, TLexipadParser*> m_byName; // upper-cased language names
};

} // namespace quarno
