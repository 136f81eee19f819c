// The main window's search commands over its editing control, without a
// window: what the find and replace dialogs' buttons run, Search Again, and
// Show all with the removal of its marks. The last search (its text and
// option word) lives in the settings store; messages go through the prompts.
#pragma once

#include <cstdint>
#include <string>

namespace quarno {

class TCustomLexipad;
class TDocumentTabs;
class TEdPersistent;
class TPrompts;

class TSearchCommands {
public:
    // Borrows the documents (their control, the search-marks flag, the status
    // refresh) and the prompts; both must outlive this object.
    TSearchCommands(TDocumentTabs& documents, TPrompts& prompts);
    TSearchCommands(const TSearchCommands&) = delete;
    TSearchCommands& operator=(const TSearchCommands&) = delete;

    // The settings store holding the last search and the histories; null:
    // nothing is remembered (Search Again stays off).
    void SetPersistent(TEdPersistent* persistent) { m_persistent = persistent; }
    TEdPersistent* Persistent() const { return m_persistent; }
    TCustomLexipad& Editor() const;

    // The text a find or replace dialog opens with: the selected text, or,
    // with nothing selected, the last search text. A selection spanning lines
    // is not taken (a search box holds one line).
    std::string InitialText() const;
    // The stored option word (TFindOption bits, with foSearchNow once a
    // search was stored) and the last search text.
    uint32_t StoredOptions() const;
    std::string LastSearchText() const;

    // Every command does nothing while no document is open.

    // The find dialog's OK, with the option word of its boxes: stores the
    // search as the last one, searches from the selection and selects the
    // match, or says it was not found. An empty text does nothing.
    bool Find(const std::string& text, uint32_t options);
    // Repeats the last search with its options from the selection.
    bool SearchAgain();
    // The replace dialog's OK: finds the next match and replaces it, asking
    // first when prompt is set. The last search is not changed. Answers
    // whether a match was found.
    bool Replace(const std::string& text, const std::string& replacement, uint32_t options,
                 bool prompt);
    // Replace All: every match from the text start on (a backward run starts
    // there too and finds nothing), asking for each when prompt is set, as
    // one undo step. Cancel ends the run and keeps what was replaced. Answers
    // the number of replacements.
    int ReplaceAll(const std::string& text, const std::string& replacement, uint32_t options,
                   bool prompt);
    // Marks every match of the last search (false, and nothing marked, when
    // there is none: the find dialog is to be opened instead).
    bool ShowAll();
    // The control's text-change event: the marks of Show all go at once.
    void TextChanged();

    // "\"text\" not found" and the question before a replacement.
    static std::string NotFoundMessage(const std::string& text);
    static std::string ReplaceQuestion(const std::string& text, const std::string& replacement);

private:
    bool HasDocument() const;
    void StoreLastSearch(const std::string& text, uint32_t options);
    void SkipSelectedMatch(const std::string& text, uint32_t options, bool matchCase);
    bool Search(const std::string& text, uint32_t options);
    void ReportNotFound(const std::string& text);

    TDocumentTabs& m_documents;
    TPrompts& m_prompts;
    TEdPersistent* m_persistent = nullptr;
};

} // namespace quarno
