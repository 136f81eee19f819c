// The editing control the documents are shown in, and the owner of the store
// it shows: documents and the control hand stores back and forth, so the
// store on screen is owned here and every other one by its document.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace quarno {

class TCustomLexipad;
class TCustomLexipadParser;
class TTextStore;

// Finds a parser by language name (any case); null when there is none.
using TParserLookup = std::function<TCustomLexipadParser*(const std::string& languageName)>;

class TDocumentEditor {
public:
    static constexpr int kParserSlot = 1;

    // Attaches a fresh store to the control, so the control's own store is
    // never handed to a document. The control must outlive this object.
    TDocumentEditor(TCustomLexipad& editor, TParserLookup findParser = {});
    // Gives the control its own store back before the shown one is freed.
    ~TDocumentEditor();
    // Owns the store the control points at.
    TDocumentEditor(const TDocumentEditor&) = delete;
    TDocumentEditor& operator=(const TDocumentEditor&) = delete;

    TCustomLexipad& Editor() const { return m_editor; }
    void SetParserLookup(TParserLookup findParser) { m_findParser = std::move(findParser); }
    TCustomLexipadParser* FindParser(const std::string& languageName) const;

    // Attaches store to the control and returns the store it showed before;
    // nothing is copied. A null store changes nothing and returns null.
    std::unique_ptr<TTextStore> ExchangeStore(std::unique_ptr<TTextStore> store);

    // The parser of the control's parser slot (null: none) made the active one.
    void AttachParser(TCustomLexipadParser* parser);

private:
    TCustomLexipad& m_editor;
    TParserLookup m_findParser;
    std::unique_ptr<TTextStore> m_shown;
};

} // namespace quarno
