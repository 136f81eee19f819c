// The main window's search commands.
#include "core/app/TSearchCommands.h"

#include "core/app/SearchMarks.h"
#include "core/app/TDocumentTabs.h"
#include "core/app/TEdPersistent.h"
#include "core/app/TPrompts.h"
#include "core/editor/TCustomLexipad.h"
#include "core/editor/TLexipadGuards.h"
#include "core/services/SearchCharacters.h"
#include "core/services/TStoreSearch.h"

#include <optional>
#include <utility>

namespace quarno {

namespace {

// Holds the control's change event while a command walks through many
// matches, so that the status refresh runs once afterwards instead of for
// every match.
class THeldChanges {
public:
    explicit THeldChanges(TCustomLexipad& editor)
        : m_editor(editor), m_handler(std::exchange(editor.OnChange, nullptr)) {}
    ~THeldChanges() { m_editor.OnChange = std::move(m_handler); }
    THeldChanges(const THeldChanges&) = delete;
    THeldChanges& operator=(const THeldChanges&) = delete;

private:
    TCustomLexipad& m_editor;
    std::function<void(TCustomLexipad&)> m_handler;
};

bool SameTextFolded(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const TCharMap& upper = UpperCaseMap();
    for (size_t i = 0; i < a.size(); ++i)
        if (upper[static_cast<uint8_t>(a[i])] != upper[static_cast<uint8_t>(b[i])]) return false;
    return true;
}

std::string SelectedText(const TCustomLexipad& editor) {
    return editor.Store().TextRange(editor.SelStart(), editor.SelStart() + editor.SelLength());
}

} // namespace

TSearchCommands::TSearchCommands(TDocumentTabs& documents, TPrompts& prompts)
    : m_documents(documents), m_prompts(prompts) {}

TCustomLexipad& TSearchCommands::Editor() const {
    return m_documents.DocumentEditor().Editor();
}

std::string TSearchCommands::NotFoundMessage(const std::string& text) {
    return "\"" + text + "\" not found";
}

std::string TSearchCommands::ReplaceQuestion(const std::string& text,
                                             const std::string& replacement) {
    return "Replace this instance of \"" + text + "\" with \"" + replacement + "\" ?";
}

uint32_t TSearchCommands::StoredOptions() const {
    return m_persistent ? m_persistent->SearchOptions() : 0;
}

std::string TSearchCommands::LastSearchText() const {
    return m_persistent ? m_persistent->LastSearchText() : std::string();
}

std::string TSearchCommands::InitialText() const {
    std::string selected = SelectedText(Editor());
    if (selected.empty() || selected.find('\r') != std::string::npos) return LastSearchText();
    return selected;
}

// Search Again becomes available at once, not at the next change.
void TSearchCommands::StoreLastSearch(const std::string& text, uint32_t options) {
    if (!m_persistent) return;
    m_persistent->SetLastSearchText(text);
    m_persistent->SetSearchOptions(static_cast<uint16_t>(options | foSearchNow));
    m_documents.StatusRefresh();
}

// A plain search that starts on its own selected match moves on past it
// (forwards from one character after its start, backwards from one character
// before its end, so overlapping matches are found and a one-character text
// does not find itself again).
void TSearchCommands::SkipSelectedMatch(const std::string& text, uint32_t options, bool matchCase) {
    if (options & foRegExpr) return;
    TCustomLexipad& editor = Editor();
    std::string selected = SelectedText(editor);
    if (selected.empty() || !(matchCase ? selected == text : SameTextFolded(selected, text)))
        return;
    int from =
        (options & foBackward) ? editor.SelStart() + editor.SelLength() - 1 : editor.SelStart() + 1;
    editor.SetSelection(from, from, false);
}

void TSearchCommands::ReportNotFound(const std::string& text) {
    // An invalid pattern was reported by the control already; saying that
    // nothing was found would be wrong.
    if (!Editor().PatternFailed()) m_prompts.Show(TPromptKind::Plain, NotFoundMessage(text));
}

// Not found: the selection goes back to where the search started.
bool TSearchCommands::Search(const std::string& text, uint32_t options) {
    TCustomLexipad& editor = Editor();
    TUndoSelection started = editor.Selection();
    SkipSelectedMatch(text, options, (options & foMatchCase) != 0);
    if (editor.Find(options | foSearchNow, text) >= 0) return true;
    editor.SetSelection(started.anchor, started.caret);
    ReportNotFound(text);
    return false;
}

bool TSearchCommands::HasDocument() const {
    return m_documents.Current() != nullptr;
}

bool TSearchCommands::Find(const std::string& text, uint32_t options) {
    if (text.empty() || !HasDocument()) return false;
    StoreLastSearch(text, options);
    return Search(text, options);
}

bool TSearchCommands::SearchAgain() {
    std::string text = LastSearchText();
    if (text.empty() || !HasDocument()) return false;
    return Search(text, StoredOptions());
}

bool TSearchCommands::Replace(const std::string& text, const std::string& replacement,
                              uint32_t options, bool prompt) {
    if (text.empty() || !HasDocument()) return false;
    TCustomLexipad& editor = Editor();
    TUndoSelection started = editor.Selection();
    SkipSelectedMatch(text, options, true);
    std::optional<std::string> insertion =
        editor.FindReplace(options | foSearchNow, text, replacement);
    if (!insertion) {
        editor.SetSelection(started.anchor, started.caret);
        ReportNotFound(text);
        return false;
    }
    if (!prompt || m_prompts.Show(TPromptKind::Confirmation, ReplaceQuestion(text, *insertion),
                                  TPromptButtons::YesNoCancel) == TPromptButton::Yes)
        editor.ReplaceSelection(*insertion);
    return true;
}

int TSearchCommands::ReplaceAll(const std::string& text, const std::string& replacement,
                                uint32_t options, bool prompt) {
    if (text.empty() || !HasDocument()) return 0;
    options |= foSearchNow;
    StoreLastSearch(text, options);
    TCustomLexipad& editor = Editor();
    int replaced = 0;
    {
        THeldChanges held(editor);
        // Opened at the first replacement: a run that changes nothing leaves
        // no empty step behind (which would count as a modification).
        std::optional<TUndoGroup> group;
        TUpdateLock lock(editor, !prompt);
        TREParser::TRun run(editor.SearchEngine().RegExpr());
        editor.SetSelection(0, 0, false);
        while (std::optional<std::string> insertion =
                   editor.FindReplace(options, text, replacement)) {
            TPromptButton answer = prompt ? m_prompts.Show(TPromptKind::Confirmation,
                                                           ReplaceQuestion(text, *insertion),
                                                           TPromptButtons::YesNoCancel)
                                          : TPromptButton::Yes;
            if (answer == TPromptButton::Cancel) break;
            if (answer == TPromptButton::Yes) {
                if (!group) group.emplace(editor, ucOwnerEdit);
                editor.ReplaceSelection(*insertion);
                ++replaced;
            }
            int end = editor.SelStart() + editor.SelLength();
            editor.SetSelection(end, end, false);
        }
    }
    editor.ScrollCaret();
    m_documents.StatusRefresh();
    return replaced;
}

bool TSearchCommands::ShowAll() {
    std::string text = LastSearchText();
    if (text.empty()) return false;
    if (!HasDocument()) return true;
    int marked = 0;
    {
        THeldChanges held(Editor());
        marked = MarkSearchMatches(Editor(), text, StoredOptions());
    }
    m_documents.SetSearchMarks(marked > 0);
    m_documents.StatusRefresh();
    return true;
}

void TSearchCommands::TextChanged() {
    if (!m_documents.SearchMarks()) return;
    RemoveSearchMarks(Editor());
    m_documents.SetSearchMarks(false);
}

} // namespace quarno
