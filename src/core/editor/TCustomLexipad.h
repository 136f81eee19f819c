// The editing engine: the editing control without pixels. It holds the
// attached document store, the selection, the view state and the options,
// changes text only through the replace-selection primitive and its undo
// transaction, and answers the control's messages. The Qt widget draws it and
// feeds it events.
#pragma once

#include "core/document/TTextStore.h"
#include "core/document/TUndoRecord.h"
#include "core/document/TUndoStack.h"
#include "core/editor/TDropObj.h"
#include "core/settings/TLP_Settings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarno {

class ILexipadClipboard;
class TCustomLexipadParser;
struct TRestyleLimit;
enum class TRestyleProgress;
class TEdStream;
class TMacroKeywords;
class ILexipadView;
class ITextMetrics;
class TStoreSearch;
class TStoreText;
class EREParser;
struct TFindMatch;
class TStream;

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

// Keyboard action codes (the currency between key bindings and the engine).
enum TLexipadAction : int {
    caLEFT = 0,
    caRIGHT,
    caLINEHOME,
    caLINEEND,
    caUP,
    caDOWN,
    caPAGEUP,
    caPAGEDOWN,
    caWORDLEFT,
    caWORDRIGHT,
    caDOCSTART,
    caDOCEND,
    caCUT,
    caCOPY,
    caPASTE,
    caDELETE,
    caBACKSPACE,
    caBLOCKIND,
    caBLOCKUND,
    caINSTOGGLE,
    caSETBOOKMARK0,
    caGOTOBOOKMARK0 = 30,
    caDELETELINE = 40,
    caUNDO,
    caREDO,
    caDELPREVWORD,
    caPRINTSEL,
    caDELNEXTWORD,
    caSCROLLUP,
    caSCROLLDOWN,
};
constexpr int kActionCount = 48;

enum TSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };

// Formats a copy puts on the clipboard (ClipCopyFormats): plain text, and
// rich text (offered together with HTML).
enum TLP_ClipFormat : uint32_t { smTEXT = 1, smRTF = 2 };

// A drop on the control, as the window saw it.
struct TDropRequest {
    TSourceTypes available = 0; // the data types the dragged data offers
    int position = 0;           // the character position under the mouse
    TPoint point{-1, -1};       // the drop point in client coordinates
    bool copy = false;          // Ctrl was held: copy instead of move
    bool fromSelf = false;      // the data was dragged from this control
};

enum class TDropResult {
    Refused,    // nothing taken: no usable data, or a drop onto the dragged selection
    Ignored,    // accepted, but nothing changed (read-only)
    Inserted,   // the text was inserted (and, for a move, taken from its old place)
    FilesTaken, // OnFilesDropped took the files; nothing was inserted
};

enum TReplaceAnswer { raYes, raNo, raCancel };

// Asked before each replacement of a prompting Replace All, with the found
// text and the text that would replace it.
using TReplacePrompt =
    std::function<TReplaceAnswer(const std::string& found, const std::string& replacement)>;

// The mouse cursor a point of the control asks for.
enum class TLexipadCursor { Arrow, IBeam, Split, Hyper, DragArrow };

class TCustomLexipad : private IUndoTarget, private IStoreView {
public:
    TCustomLexipad();
    ~TCustomLexipad() override;
    // A control is an identity that stores and views point back to.
    TCustomLexipad(const TCustomLexipad&) = delete;
    TCustomLexipad& operator=(const TCustomLexipad&) = delete;

    // --- the document store -------------------------------------------------
    // The control owns the store it creates; an attached store stays owned by
    // whoever created it and must outlive the attachment.
    TTextStore& Store() const { return *m_store; }
    // Attaches a store (null: the control's own one again) and repaints.
    void AttachStore(TTextStore* store);
    void SetView(ILexipadView* view) { m_view = view; }
    // Null: fixed 7 x 17 pixel cells.
    void SetMetrics(ITextMetrics* metrics);
    // Null: cut, copy and paste do nothing.
    void SetClipboard(ILexipadClipboard* clipboard) { m_clipboard = clipboard; }

    // --- selection -------------------------------------------------------------
    TUndoSelection Selection() const { return m_selection; }
    // Clamps both ends to the text; an anchor of -1 selects everything.
    void SetSelection(int anchor, int caret, bool repaint = true);
    void SelectAll() { SetSelection(0, CharCount()); }
    virtual int SelStart() const { return m_selection.Start(); }
    virtual int SelLength() const { return m_selection.End() - m_selection.Start(); }
    virtual void SetSelStart(int position) { SetSelection(position, position); }
    virtual void SetSelLength(int length) { SetSelection(SelStart(), SelStart() + length); }
    int CaretPos() const { return m_selection.caret; }

    // --- text --------------------------------------------------------------------
    int CharCount() const { return m_store->CharCount(); }
    // The insertion primitive: replaces the selection by text (normalised,
    // inserted in chunks) inside an undo transaction; the caret ends after it.
    void ReplaceSelection(std::string_view text);
    // Inserts a stream's remaining contents at the selection (undo code 4).
    void InsertStream(TStream& stream);
    // The selection in a write format (kWriteCrLf, kWriteLf, kWriteRtf,
    // kWriteHtml).
    std::string SelectedText(uint32_t format = 0) const;
    void WriteSelection(TStream& stream, uint32_t format) const;
    std::string Text() const { return m_store->Text(); }
    // Replaces all text (loading it, so the undo log is cleared).
    void SetText(std::string_view text);

    // --- lines (records) ---------------------------------------------------------
    int LineCount() const { return m_store->LineCount(); }
    // First position of a line (-1: the caret line); -1 past the text.
    int LineIndex(int line) const;
    // Length without the CR of the record holding a position (-1: the caret).
    int LineLength(int position) const;
    // Line index of a position (-1: the caret); the text end maps to the last
    // record.
    int LineFromChar(int position) const;
    // The line a caret at position stands on: as LineFromChar, except that
    // the text end after a final line break is the empty line below, which
    // has no record: RecordCount() then (its column is always 0).
    int CaretRecordAt(int position) const;
    // A line's characters without its CR ("" past the last line).
    std::string LineText(int line) const;

    // --- undo ----------------------------------------------------------------------
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    void EmptyUndoBuffer();
    bool Modified() const;
    // False clears the undo log; true does nothing.
    void SetModified(bool modified);
    void BeginUndoGroup(int code);
    void EndUndoGroup(int code);
    // step 0 uses IndentStep (a setting of 0 does nothing); tabs only when
    // smoUseTAB is also set. ELexipad "Indent step must be between 0 and 20"
    // for any other step.
    void BlockIndent(int step, bool useTabs);
    void BlockUnindent(int step);

    // --- loading and saving --------------------------------------------------------
    TSaveFormat SaveFormat() const { return m_saveFormat; }
    void SetSaveFormat(TSaveFormat format) { m_saveFormat = format; }
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& path);
    // EFileSaveError "Bad TStream instance" for a null stream.
    void SaveToStream(TStream* stream);
    // Writes beside the file and renames, so a failed save keeps the old file.
    void SaveToFile(const std::string& path);
    // Whether SaveToFile keeps the undo log (setting the save point instead).
    bool KeepUndoOnSave() const { return m_keepUndoOnSave; }
    void SetKeepUndoOnSave(bool keep) { m_keepUndoOnSave = keep; }
    const std::string& PrintTitle() const { return m_printTitle; }
    // The date the HTML header shows; empty: today.
    void SetHtmlDate(const std::string& date) { m_htmlDate = date; }
    void SetPrintTitle(const std::string& title) { m_printTitle = title; }

    // --- columns and tab stops -----------------------------------------------------
    // Explicit tab columns (0-based, ascending) and the default tab width,
    // written into the settings.
    void SetTabStops(std::vector<int> columns, int defaultWidth);
    int NextTabStop(int column) const;
    // Display column of an offset in a record (TABs expanded; a final CR has
    // no column) and the offset shown at a display column.
    int DisplayColumn(int record, int offset) const;
    int OffsetFromColumn(int record, int column) const;
    int CharWidth() const;
    int LineHeight() const;
    const ITextMetrics& Metrics() const;

    // --- caret and keyboard actions ------------------------------------------------
    // 1-based line and display column of the caret (the virtual column beyond
    // the line end; the line after a final CR counts).
    int CaretLine() const;
    int CaretColumn() const;
    bool InsertMode() const { return m_insertMode; }
    void SetInsertMode(bool insert);
    bool BeyondLineEnd() const { return m_beyondEol; }
    int VirtualColumn() const { return m_virtualColumn; }
    // Runs action code 0..47; extend moves only the caret end of the selection.
    virtual void ExecuteAction(int code, bool extend);
    // A key press (Windows virtual-key code, TShiftBits): templates and
    // automatic replacement see it first, then the key bindings. True when
    // the key was used, so its character must not be typed as well.
    bool KeyDown(uint16_t key, uint8_t shift);
    // Character input (typing): printable characters, CR, LF and TAB.
    void KeyPress(char c);
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool want) { m_wantReturns = want; }
    // Word boundaries left and right of a position.
    int WordLeft(int position) const;
    int WordRight(int position) const;
    std::function<bool(char)> fn_CharStartsWord;
    std::function<bool(char)> fn_CharIsInWord;
    bool CharStartsWord(char c) const;
    bool CharIsInWord(char c) const;

    // --- search -----------------------------------------------------------------------
    // The find entry (LPM_FIND), TFindOption bits: with foSearchNow it
    // searches from the selection (its start backwards, its end forwards),
    // selects the match and answers its start (an empty match right at the
    // search start does not count, so searching again moves on); -1 when
    // nothing is found or the pattern is invalid (then the view shows the
    // engine's message). Without foSearchNow the view opens its find dialog
    // preset with DialogPreset, and the answer is -1.
    int Find(uint32_t options, std::string_view text);
    // LPM_REPLACEDIALOG: the view opens its replace dialog, preset as above.
    void ReplaceDialog(uint32_t options, std::string_view text);
    // The replace variant: as Find, and the text to insert for the selected
    // match (for a regular expression with its substitutions filled in).
    std::optional<std::string> FindReplace(uint32_t options, std::string_view text,
                                           std::string_view replacement);
    // Replaces every match from the text start on as one undo step (group
    // 34); with a prompt, each replacement is asked for and Cancel stops.
    // Without a prompt the matches are those of the text before the run (a
    // replacement never forms part of a later match, nor its context), and
    // the undo step holds the replaced span once, old and new. Answers the
    // number of replacements.
    int ReplaceAll(uint32_t options, std::string_view text, std::string_view replacement,
                   const TReplacePrompt& prompt = {});
    // The text a find dialog opens with: the selection when it is not empty,
    // lies on one line and regular expressions are off; else text.
    std::string DialogPreset(uint32_t options, std::string_view text) const;
    // What the built-in dialogs say when a search finds nothing:
    // Search string "text" not found.
    static std::string SearchFailMessage(std::string_view searchString);
    // Whether the last Find, FindReplace or ReplaceAll stopped on an invalid
    // pattern rather than finding nothing, and the message it showed.
    bool PatternFailed() const { return m_patternFailed; }
    const std::string& SearchError() const { return m_searchError; }
    // The store search behind them, made on first use and kept, so that
    // patterns and skip tables are built once; whole words use CharIsInWord.
    TStoreSearch& SearchEngine();

    // --- layout and mouse -------------------------------------------------------------
    int Gutter() const { return m_settings->Gutter(); }
    // Pixels, 0..1024 (TLP_Settings::kMaxStripWidth), else ELexipad.
    void SetGutter(int pixels) { m_settings->SetGutter(pixels); }
    // The gutter as drawn: the setting, or wider when the line numbers shown
    // need more room (a six-digit number is not cut off).
    int GutterWidth() const;
    int Margin() const { return m_settings->Margin(); }
    void SetMargin(int pixels) { m_settings->SetMargin(pixels); }
    int RightMargin() const { return m_settings->RightMargin(); }
    // 0..2048 (TLP_Settings::kMaxColumn), else ELexipad.
    void SetRightMargin(int column) { m_settings->SetRightMargin(column); }
    int WrapAtColumn() const { return m_settings->WrapColumn(); }
    void SetWrapAtColumn(int column);
    // Left edge of the text area: the gutter when shown, then the margin strip.
    int TextLeft() const;
    // Client point of a position ({-1, -1} above the top line).
    TPoint PosFromChar(int position) const;
    // Position under a client point; -1 outside the text area unless clamp.
    int CharFromPos(TPoint point, bool clamp = false) const;
    int DoubleClickTime() const { return m_doubleClickTime; }
    void SetDoubleClickTime(int milliseconds) { m_doubleClickTime = milliseconds; }
    int ClickCount() const { return m_clickCount; }
    // Left-button press, movement with the button held, release; time in ms.
    void MouseDown(TPoint point, uint32_t shift, int64_t time);
    void MouseMove(TPoint point, uint32_t shift);
    void MouseUp(TPoint point, uint32_t shift);
    void MouseWheel(int lines) { SetTopLine(m_topLine + lines); }
    // A press inside the selection waits to become a drag (or a click).
    bool DragPending() const { return m_dragPending; }
    void CancelDragPending() { m_dragPending = false; }
    // 1: the right-margin line is being dragged, 2: the wrap column, 0: none.
    int MarginDrag() const { return m_marginDrag; }
    // The word around a position as [start, end), empty when there is none.
    std::pair<int, int> WordAt(int position) const;

    // --- word wrap -------------------------------------------------------------------
    // Client area in pixels: sets the visible rows and columns, and re-wraps
    // when the wrap width follows the window.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return m_clientWidth; }
    int WrapWidth() const;
    const std::string& WrapOverride() const { return m_settings->WrapOverride(); }
    void SetWrapOverride(const std::string& characters);
    // Lays out every line again / the real lines holding [start, end].
    void Rewrap();
    void RewrapRange(int start, int end);
    // Where a line's text (without its CR) breaks into records.
    std::vector<int> WrapBreaks(std::string_view text) const;
    // The same for another width and measure (printed pages wrap to the
    // printer's font and the page width).
    std::vector<int> WrapBreaks(std::string_view text, int width,
                                const ITextMetrics& metrics) const;
    // Replaces the word-break search: asked (code 0) for a break left of
    // current in text[0..count), returns the break position.
    std::function<int(const char* text, int current, int count, int code)> OnWordBreakProc;

    // --- clipboard -----------------------------------------------------------------
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // --- numbered bookmarks ----------------------------------------------------------
    // Sets or toggles bookmark index (0..9) on a 1-based line (-1: the caret
    // line) at a 1-based column (-1 or 0: the caret's); "Bookmark index range
    // error" for an index above 9.
    void SetBookmark(int index, int line = -1, int column = -1);
    // 1-based line and column, or false when the bookmark is not set.
    bool GetBookmark(int index, int& line, int& column) const;
    void GotoBookmark(int index);

    // --- view state ----------------------------------------------------------------
    int TopLine() const { return m_topLine; }
    void SetTopLine(int line);
    int LeftCol() const { return m_leftCol; }
    void SetLeftCol(int column);
    int VisibleRows() const { return m_visibleRows; }
    int VisibleCols() const { return m_visibleCols; }
    void SetVisibleSize(int columns, int rows);
    void LineScroll(int columns, int lines);
    void ScrollCaret();
    bool UpdateLocked() const { return m_lockCount > 0; }
    // Nested; the last release repaints.
    void LockUpdate(bool lock);

    // --- settings and parsers ----------------------------------------------------------
    // The settings in use: the active parser's, or the control's own.
    TLP_Settings& Settings() const { return *m_settings; }
    // Parser slots 1..6; ActiveParser picks the one in use ("Parser index out
    // of range" otherwise). A parser must outlive its slot.
    TCustomLexipadParser* Parser(int slot) const;
    void SetParser(int slot, TCustomLexipadParser* parser);
    int ActiveParser() const { return m_activeParser; }
    void SetActiveParser(int slot);
    TCustomLexipadParser* CurrentParser() const;
    // Applies changed settings (LPM_SETTINGSCHANGED): re-wraps when the wrap
    // option or column changed, rescans and repaints.
    void SettingsChanged();
    // Rescans the changed lines with the active parser: all of them, or,
    // with idle restyling on and more than a slice of text waiting, the rows
    // shown and a page below them; the view is then told that records wait
    // for RestyleSlice.
    void Restyle();
    // Highlighting in idle time; off (every restyle complete) unless a window
    // that drives RestyleSlice switches it on.
    bool IdleRestyle() const { return m_idleRestyle; }
    void SetIdleRestyle(bool on);
    // Characters a slice of idle highlighting scans (it ends at the next
    // record end where a token ends), and the most a restyle does at once.
    static constexpr int kRestyleSlice = 32768;
    // Whether records wait for idle highlighting.
    bool RestylePending() const { return m_restylePending; }
    // Highlights the next slice of waiting records, from the first; true
    // while records still wait.
    bool RestyleSlice(int budget = kRestyleSlice);
    // Highlights the waiting records among first..last now, from the nearest
    // known state before them, so they are drawn or read as a complete
    // restyle would leave them. Token bytes are derived from the text, so
    // readers of a const control may complete them.
    void StyleRecords(int first, int last) const;
    // Highlights every waiting record.
    void FinishRestyle() const;

    // --- options -------------------------------------------------------------------
    uint32_t Options() const { return static_cast<uint32_t>(m_settings->Options()); }
    // Turning word wrap on or off lays the text out again.
    void SetOptions(uint32_t options);
    bool HasOption(uint32_t option) const { return (Options() & option) != 0; }
    int IndentStep() const { return m_settings->IndentStep(); }
    void SetIndentStep(int step) { m_settings->SetIndentStep(step); }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // --- events --------------------------------------------------------------------
    std::function<void(TCustomLexipad& sender)> OnChange;
    std::function<void(TCustomLexipad& sender, int Start, int Extent)> OnTextChange;
    std::function<void(TCustomLexipad& sender, int& ActionCode)> OnCommandRecognised;
    // Raised by restyling for every token (the handler may change its value),
    // and once with -1, -1, -1 before and -2, -2, -2 after a rescan.
    std::function<void(TCustomLexipad& sender, int& TokenValue, int ExtentStart, int ExtentEnd)>
        OnTokenSeen;
    std::function<void(TCustomLexipad& sender, const std::string& TemplateName,
                       std::string& Replacement)>
        OnTemplateEvent;
    std::function<void(TCustomLexipad& sender, TEdStream& IStream, const std::string& ReplaceItem,
                       std::string& ReplaceWith, bool& CanReplace)>
        OnAutoReplace;
    // The template hot key found no name before the caret: the window shows
    // the list of templates, preselecting one containing the typed word.
    std::function<void(TCustomLexipad& sender, const std::string& TypedWord)> OnTemplateList;
    std::function<void(TCustomLexipad& sender, int Index)> OnBookmarkSet;
    std::function<void(TCustomLexipad& sender)> OnPrintSelection;
    std::function<void(TCustomLexipad& sender, int LineNo)> OnGutterClick;
    std::function<void(TCustomLexipad& sender, TPoint ClickPos, int CharOffset)> OnTripleClick;
    std::function<void(TCustomLexipad& sender)> OnHyperlinkHover;
    // Raised by the built-in find and replace dialogs when a search fails.
    std::function<void(TCustomLexipad& sender, const std::string& SearchString)> OnSearchFail;
    // The attached store's notifications: a named bookmark removed, a range
    // mark moved or resized, or removed, a breakpoint destroyed or its enabled
    // flag changed.
    std::function<void(TCustomLexipad& sender, const std::string& bmName)> OnCustomBookmarkFree;
    std::function<void(TCustomLexipad& sender, TRangeMark& aMark)> OnMarkChange;
    std::function<void(TCustomLexipad& sender, TRangeMark& aMark)> OnMarkFree;
    std::function<void(TCustomLexipad& sender, TLP_BreakpointData& BreakpointData)>
        OnBreakpointFree;
    std::function<void(TCustomLexipad& sender, TLP_BreakpointData& BreakpointData)>
        OnBreakpointStateChange;
    // Published for owners that assign them; nothing raises them.
    std::function<void(TCustomLexipad& sender, int Index)> OnBookmarkClear;
    std::function<void(TCustomLexipad& sender, const std::string& HyperData, int HyperType)>
        OnHyperlinkClick;
    std::function<void(TCustomLexipad& sender, const std::string& SpellWord, int& Result)>
        OnSpellWord;
    std::function<void(TCustomLexipad& sender, int TrackID)> OnTrackAdd;
    std::function<void(TCustomLexipad& sender, int TrackID)> OnTrackFree;

    // --- clipboard formats, paste and drop -------------------------------------------
    // TLP_ClipFormat bits.
    uint32_t ClipCopyFormats() const { return m_clipCopyFormats; }
    void SetClipCopyFormats(uint32_t formats) { m_clipCopyFormats = formats; }
    // Whether 8-bit text is on the clipboard (LPM_CANPASTE).
    bool CanPaste() const;
    // Raised before a paste and before a drop is inserted; the handler may
    // clear or set flags.
    std::function<void(TCustomLexipad& sender, TSourceTypes& SourceTypes)> OnDataDrop;
    // Files dropped (with smoProcessDroppedFiles); the handler may edit the
    // list. AtPoint is {-1, -1} when the platform gives no point.
    std::function<void(TCustomLexipad& sender, std::vector<std::string>& FileList, TPoint AtPoint)>
        OnFilesDropped;
    // Takes a drop of data; text goes in at the drop position as one undo
    // step, a move within the control taking it from its old place too.
    TDropResult DropData(const TDropObj& data, const TDropRequest& request);
    // Whether a drop of this control's own selection at a position falls onto
    // the selection itself (and is refused).
    bool DropOntoSelection(int position, bool copy) const;
    // A drag of the selection ended as a move to another target: the dragged
    // text is deleted.
    void DragMovedAway();

    // --- mouse cursor and the template list ------------------------------------------
    // The cursor over a client point; over a hot-spot token MouseHover also
    // raises OnHyperlinkHover.
    TLexipadCursor CursorAt(TPoint point) const;
    TLexipadCursor MouseHover(TPoint point);
    // The character under a client point (not a line end), or -1.
    int CharUnderPoint(TPoint point) const;
    // The template list: the entry to preselect for the typed word (the first
    // whose name contains it, any case; -1 when none does), and the expansion
    // of a chosen entry over the word before the caret.
    int TemplateListIndex(const std::string& typedWord) const;
    void ExpandTemplate(int index);

    // --- messages ------------------------------------------------------------------
    intptr_t Perform(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // The messages whose lParam points at data (a store, a selection pair, a
    // text): the pointer passes without a cast at the call.
    template <typename T> intptr_t Perform(uint32_t message, uintptr_t wParam, T* data) {
        return Perform(message, wParam, reinterpret_cast<intptr_t>(data));
    }

protected:
    void Beep() override;
    void Repaint(bool full);
    // Collects change notifications so OnChange fires once per step.
    void Changed() { m_changed = true; }
    void RaiseChange();

private:
    class ChangeStep;

    void UndoReplace(int start, int end, std::string_view text) override;
    void UndoSelect(TUndoSelection selection) override;
    TUndoStack* RecordingStack() const;
    void ReplaceRange(int start, int end, std::string_view text, int code, std::string record,
                      bool insertRecord = false);
    void ReplaceRangeNormalized(int start, int end, std::string text);
    void DeleteRange(int start, int end);
    void InsertChunks(int position, std::string_view text);
    void AfterInsert(TRecordSpan span, bool linesMoved = true);
    void FlagSelectionChange(TUndoSelection before, TUndoSelection after);
    void IndentLine(int lineStart, const std::string& indent);
    int BlockStep(int step) const;
    int CaretDisplayColumn() const;
    int RecordTextLength(int record) const;
    int LeadingBlanks(int lineStart, int step) const;
    void RemoveLeading(int lineStart, int count);
    std::pair<int, int> BlockLines() const;
    void MoveCaret(int position, bool extend);
    void MoveVertically(int lines, bool extend);
    void MoveLineEnd(bool extend);
    void MoveRight(bool extend);
    void MoveLeft(bool extend);
    void ScrollOneLine(int delta);
    void DeleteChar(bool forward);
    void DeleteLine();
    void DeleteWord(bool forward);
    void InsertTyped(const std::string& text);
    void TypeCharacter(char c);
    void TypeTab();
    void TypeReturn();
    std::string SmartFill(int fromColumn, int toColumn) const;
    int SmartTabTarget(int record, int column) const;
    int LineIndentColumn(int record) const;
    void FillBeyondLineEnd();
    void RememberColumn();
    int XFromColumn(int record, int column) const;
    int ColumnFromX(int record, int x) const;
    bool RunEditAction(int code, bool extend);
    int MarginLineAt(TPoint point) const;
    void SelectRecordAt(int position);
    int RealLineNumber(int record) const;
    int WordBreak(std::string_view text, int current) const;
    bool KeepsLineWhole(std::string_view text) const;
    bool FitsUnwrapped(std::string_view text, int width, const ITextMetrics& metrics) const;
    void AppendWrapBreaks(std::string_view text, int width, const ITextMetrics& metrics,
                          std::vector<int>& breaks) const;
    // Where a real line's text (without its CR) breaks at the current width.
    void LineBreaks(std::string_view text, std::vector<int>& breaks) const;
    int RewrapLine(int record);
    bool RewrapsManyRecords() const;
    void UseSettings(TLP_Settings& settings);
    int WaitingChars() const;
    bool CanRestyleNow() const;
    void ResumeIdleRestyle();
    TRestyleProgress RunRestyle(const TRestyleLimit& limit);
    void NoteProgress(TRestyleProgress progress);
    bool RunMoveAction(int code, bool extend);
    bool HandleMacroKey(uint16_t key, uint8_t shift);
    bool ExpandMacro(const TMacroKeywords& macros, bool autoReplace);
    std::string TextBeforeCaret() const;
    void FinishStep();
    int64_t WriteRange(TStream& stream, int start, int end, uint32_t format) const;
    std::pair<uint32_t, int64_t> SaveLayout() const;
    std::string StyledText(int start, int end, uint32_t format) const;
    intptr_t PerformEdit(uint32_t message, uintptr_t wParam, intptr_t lParam, bool& handled);
    intptr_t PerformLines(uint32_t message, uintptr_t wParam, intptr_t lParam, bool& handled);
    intptr_t PerformPrivate(uint32_t message, uintptr_t wParam, intptr_t lParam, bool& handled);
    intptr_t PerformState(uint32_t message, uintptr_t wParam, intptr_t lParam, bool& handled);
    intptr_t CopyStyles(const int* lines, uint8_t* buffer, bool set);
    intptr_t PerformClipboard(uint32_t message, bool& handled);
    void ConnectStoreEvents();
    void DisconnectStoreEvents();
    void TakeStoreEvents() override { ConnectStoreEvents(); }
    TDropResult InsertDropped(const std::string& text, const TDropRequest& request);
    void ReplaceWordBeforeCaret(const std::string& word, const std::string& replacement);
    void ReportSearchError(const EREParser& error);
    std::optional<TFindMatch> NextReplaceMatch(uint32_t options, std::string_view text,
                                               int previousEnd);
    std::optional<TFindMatch> NextMatchIn(TStoreText& storeText, uint32_t options,
                                          std::string_view text, int from, int previousEnd);
    int ReplaceEveryMatch(uint32_t options, std::string_view text, std::string_view replacement);
    int ReplaceEachMatch(uint32_t options, std::string_view text, std::string_view replacement,
                         const TReplacePrompt& prompt);

    std::unique_ptr<TTextStore> m_ownStore;
    TTextStore* m_store = nullptr;
    std::unique_ptr<TStoreSearch> m_search;
    bool m_patternFailed = false;
    std::string m_searchError;
    ILexipadView* m_view = nullptr;
    ITextMetrics* m_metrics = nullptr;
    ILexipadClipboard* m_clipboard = nullptr;
    std::unique_ptr<TLP_Settings> m_ownSettings;
    TLP_Settings* m_settings = nullptr;
    std::array<TCustomLexipadParser*, 6> m_parsers{};
    int m_activeParser = 1;
    bool m_appliedWrap = false;
    int m_appliedWrapColumn = 0;
    bool m_restyling = false;
    bool m_needsRestyle = false;
    bool m_idleRestyle = false;
    mutable bool m_restylePending = false; // records wait for idle highlighting
    TKeySequence m_keySequence;
    int m_desiredColumn = 0;
    bool m_beyondEol = false;
    int m_virtualColumn = 0;
    bool m_insertMode = true;
    bool m_wantReturns = true;
    bool m_verticalMove = false;
    int m_clientWidth = 0;
    int m_doubleClickTime = 500;
    int m_clickCount = 0;
    int64_t m_lastClickTime = -1000000;
    int m_lastClickLine = -1;
    bool m_mouseSelecting = false;
    bool m_dragPending = false;
    int m_marginDrag = 0;
    TUndoSelection m_selection;
    int m_topLine = 0;
    int m_leftCol = 0;
    int m_visibleRows = 40;
    int m_visibleCols = 80;
    int m_lockCount = 0;
    int m_shownGutterWidth = 0; // the gutter width the view last laid out
    int m_changeDepth = 0;
    bool m_changed = false;
    bool m_loading = false;
    bool m_readOnly = false;
    TSaveFormat m_saveFormat = sfTEXT;
    uint32_t m_clipCopyFormats = smTEXT | smRTF;
    bool m_keepUndoOnSave = true;
    std::string m_printTitle;
    std::string m_htmlDate;
};

} // namespace quarno
