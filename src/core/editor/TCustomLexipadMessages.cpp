// The editing engine's message dispatcher: the edit-control messages and the
// private LPM_ messages, each forwarded to the method that does the work.
#include "core/base/TStream.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

#include <algorithm>
#include <cstring>

namespace quarno {

namespace {

template <typename T> T* Pointer(intptr_t value) {
    return reinterpret_cast<T*>(value);
}

const char* TextArgument(intptr_t value) {
    const char* text = Pointer<const char>(value);
    return text ? text : "";
}

// Copies text into a caller buffer of size bytes with a terminating NUL.
intptr_t CopyOut(const std::string& text, char* buffer, intptr_t size) {
    if (!buffer || size <= 0) return 0;
    size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<intptr_t>(count);
}

} // namespace

intptr_t TCustomLexipad::Perform(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    bool handled = true;
    intptr_t result = PerformEdit(message, wParam, lParam, handled);
    if (!handled) {
        handled = true;
        result = PerformLines(message, wParam, lParam, handled);
    }
    if (!handled) {
        handled = true;
        result = PerformPrivate(message, wParam, lParam, handled);
    }
    if (!handled) {
        handled = true;
        result = PerformState(message, wParam, lParam, handled);
    }
    if (!handled) {
        handled = true;
        result = PerformClipboard(message, handled);
    }
    return handled ? result : 0;
}

// Text, selection and undo.
intptr_t TCustomLexipad::PerformEdit(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                     bool& handled) {
    switch (message) {
    case WM_SETTEXT: SetText(TextArgument(lParam)); return 1;
    case WM_GETTEXT: return CopyOut(Text(), Pointer<char>(lParam), static_cast<intptr_t>(wParam));
    case WM_GETTEXTLENGTH: return CharCount();
    case EM_GETSEL:
        if (int* start = Pointer<int>(static_cast<intptr_t>(wParam))) *start = SelStart();
        if (int* end = Pointer<int>(lParam)) *end = SelStart() + SelLength();
        return std::min(SelStart(), 0xFFFF) | (std::min(SelStart() + SelLength(), 0xFFFF) << 16);
    case EM_SETSEL:
        if (static_cast<intptr_t>(wParam) == 0 && lParam == -1)
            SelectAll();
        else
            SetSelection(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case EM_REPLACESEL:
    case LPM_REPLACESEL: ReplaceSelection(TextArgument(lParam)); return 0;
    case EM_CANUNDO: return CanUndo();
    case EM_UNDO:
    case WM_UNDO: Undo(); return 1;
    case EM_EMPTYUNDOBUFFER: EmptyUndoBuffer(); return 0;
    case EM_GETMODIFY: return Modified();
    case LPM_CANREDO: return CanRedo();
    case LPM_SETTINGSCHANGED: SettingsChanged(); return 0;
    case LPM_REDO: Redo(); return 1;
    default: handled = false; return 0;
    }
}

// Line queries and scrolling.
intptr_t TCustomLexipad::PerformLines(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                      bool& handled) {
    int argument = static_cast<int>(static_cast<intptr_t>(wParam));
    switch (message) {
    case EM_GETLINECOUNT: return LineCount();
    case EM_LINEINDEX: return LineIndex(argument);
    case EM_LINELENGTH: return LineLength(argument);
    case EM_LINEFROMCHAR: return LineFromChar(argument);
    case EM_GETLINE: {
        char* buffer = Pointer<char>(lParam);
        if (!buffer || argument < 0 || argument >= Store().RecordCount()) return 0;
        uint16_t size = 0;
        std::memcpy(&size, buffer, sizeof size);
        std::string line = LineText(argument);
        size_t count = std::min(line.size(), static_cast<size_t>(size));
        std::memcpy(buffer, line.data(), count);
        return static_cast<intptr_t>(count);
    }
    case EM_GETFIRSTVISIBLELINE: return TopLine();
    case EM_POSFROMCHAR: {
        TPoint point = PosFromChar(argument);
        if (point.x < 0) return -1;
        return static_cast<intptr_t>((point.x & 0xFFFF) | ((point.y & 0xFFFF) << 16));
    }
    case EM_CHARFROMPOS: {
        TPoint point{static_cast<int16_t>(lParam & 0xFFFF),
                     static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
        return CharFromPos(point);
    }
    case EM_LINESCROLL: LineScroll(argument, static_cast<int>(lParam)); return 1;
    case EM_SCROLLCARET: ScrollCaret(); return 1;
    default: handled = false; return 0;
    }
}

// Private messages that move text in and out.
intptr_t TCustomLexipad::PerformPrivate(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                        bool& handled) {
    uint32_t format = static_cast<uint32_t>(wParam);
    switch (message) {
    case LPM_INSERTSTREAM:
        if (TStream* stream = Pointer<TStream>(lParam)) InsertStream(*stream);
        return 0;
    case LPM_WRITESTREAM:
        if (TStream* stream = Pointer<TStream>(lParam)) WriteSelection(*stream, format);
        return 0;
    case LPM_GETSELTEXT: {
        TTextBuffer* buffer = Pointer<TTextBuffer>(lParam);
        return buffer ? CopyOut(SelectedText(format), buffer->data, buffer->size) : 0;
    }
    case LPM_BLOCKINDENT: BlockIndent(static_cast<int>(wParam), (lParam & 1) != 0); return 0;
    case LPM_BLOCKUNINDENT: BlockUnindent(static_cast<int>(wParam)); return 0;
    case LPM_FIND: return Find(static_cast<uint32_t>(wParam), TextArgument(lParam));
    case LPM_REPLACEDIALOG:
        ReplaceDialog(static_cast<uint32_t>(wParam), TextArgument(lParam));
        return 0;
    case LPM_SETSTYLES:
    case LPM_GETSTYLES:
        return CopyStyles(Pointer<const int>(static_cast<intptr_t>(wParam)),
                          Pointer<uint8_t>(lParam), message == LPM_SETSTYLES);
    case LPM_UNDOSTACK:
        if (wParam & kLpmSet) {
            // A document without a log would lose its modified flag, so a
            // null stack is refused and the current one kept.
            if (TUndoStack* stack = Pointer<TUndoStack>(lParam))
                Store().ReplaceUndoStack(std::unique_ptr<TUndoStack>(stack));
        } else if (TUndoStack** out = Pointer<TUndoStack*>(lParam)) {
            *out = Store().UndoStack();
        }
        return 0;
    case LPM_STORE:
        if (wParam == 1)
            AttachStore(Pointer<TTextStore>(lParam));
        else if (TTextStore** out = Pointer<TTextStore*>(lParam))
            *out = &Store();
        return 0;
    default: handled = false; return 0;
    }
}

// Get-or-set state messages: bit 0 of the first argument sets, bit 1 skips
// the repaint.
intptr_t TCustomLexipad::PerformState(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                      bool& handled) {
    bool set = (wParam & kLpmSet) != 0;
    bool repaint = (wParam & kLpmNoRepaint) == 0;
    int value = static_cast<int>(lParam);
    switch (message) {
    case LPM_SELECTION: {
        int* pair = Pointer<int>(lParam);
        if (set && pair)
            SetSelection(pair[0], pair[1], repaint);
        else if (pair) {
            pair[0] = m_selection.anchor;
            pair[1] = m_selection.caret;
        }
        return 0;
    }
    case LPM_OPTIONS:
        if (set) SetOptions(static_cast<uint32_t>(lParam));
        return static_cast<intptr_t>(Options());
    case LPM_LOCKUPDATE:
        if (set) LockUpdate(lParam != 0);
        return UpdateLocked();
    case LPM_MODIFIED:
        if (set) SetModified(lParam != 0);
        return Modified();
    case LPM_TOPLINE:
        if (set) SetTopLine(value);
        return TopLine();
    case LPM_LEFTCOL:
        if (set) SetLeftCol(value);
        return LeftCol();
    default: handled = false; return 0;
    }
}

// Copies token bytes between the records of lines [pair[0], pair[1]] (all
// lines without a pair) and a caller buffer; returns the bytes copied.
intptr_t TCustomLexipad::CopyStyles(const int* lines, uint8_t* buffer, bool set) {
    if (!buffer || Store().RecordCount() == 0) return 0;
    int first = lines ? std::max(lines[0], 0) : 0;
    int last = lines ? std::min(lines[1], Store().RecordCount() - 1) : Store().RecordCount() - 1;
    if (!set) StyleRecords(first, last);
    intptr_t copied = 0;
    for (int index = first; index <= last; ++index) {
        TLineRecord& record = Store().Record(index);
        size_t length = static_cast<size_t>(record.Length());
        if (set) {
            if (uint8_t* tokens = record.EnsureTokens())
                std::memcpy(tokens, buffer + copied, length);
            record.AddFlags(lfRepaint);
        } else if (record.Tokens()) {
            std::memcpy(buffer + copied, record.Tokens(), length);
        } else {
            std::memset(buffer + copied, 0, length);
        }
        copied += static_cast<intptr_t>(length);
    }
    if (set) Repaint(false);
    return copied;
}

} // namespace quarno
