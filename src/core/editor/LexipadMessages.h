// Message numbers the editing control answers: the standard multi-line edit
// control messages and the control's private LPM_ messages. The numbers are
// part of the control's interface and never change.
#pragma once

#include <cstdint>

namespace quarno {

enum TLexipadMessage : uint32_t {
    WM_SETTEXT = 12,
    WM_GETTEXT = 13,
    WM_GETTEXTLENGTH = 14,
    EM_GETSEL = 176,
    EM_SETSEL = 177,
    EM_LINESCROLL = 182,
    EM_SCROLLCARET = 183,
    EM_GETMODIFY = 184,
    EM_GETLINECOUNT = 186,
    EM_LINEINDEX = 187,
    EM_LINELENGTH = 193,
    EM_REPLACESEL = 194,
    EM_GETLINE = 196,
    EM_CANUNDO = 198,
    EM_UNDO = 199,
    EM_LINEFROMCHAR = 201,
    EM_EMPTYUNDOBUFFER = 205,
    EM_GETFIRSTVISIBLELINE = 206,
    EM_POSFROMCHAR = 214,
    EM_CHARFROMPOS = 215,
    WM_CUT = 768,
    WM_COPY = 769,
    WM_PASTE = 770,
    WM_UNDO = 772,
    LPM_CANPASTE = 1074,
    LPM_SELECTION = 3072,
    LPM_OPTIONS = 3073,
    LPM_REPLACESEL = 3074,
    LPM_LOCKUPDATE = 3077,
    LPM_INSERTSTREAM = 3078,
    LPM_WRITESTREAM = 3079,
    LPM_MODIFIED = 3080,
    LPM_TOPLINE = 3081,
    LPM_LEFTCOL = 3082,
    LPM_FIND = 3083,
    LPM_REPLACEDIALOG = 3084,
    LPM_GETSELTEXT = 3085,
    LPM_CANREDO = 3086,
    LPM_REDO = 3087,
    LPM_BLOCKINDENT = 3088,
    LPM_BLOCKUNINDENT = 3089,
    LPM_SETTINGSCHANGED = 3090,
    LPM_SETSTYLES = 3091,
    LPM_GETSTYLES = 3092,
    LPM_UNDOSTACK = 3093,
    LPM_STORE = 3096,
};

// First-argument bits of the get-or-set LPM_ messages.
constexpr uintptr_t kLpmSet = 1;
constexpr uintptr_t kLpmNoRepaint = 2;

// Format bits of LPM_WRITESTREAM and LPM_GETSELTEXT.
constexpr uint32_t kWriteCrLf = 1; // plain text: LF after each CR
constexpr uint32_t kWriteRtf = 2;
constexpr uint32_t kWriteHtml = 4;
constexpr uint32_t kWriteLf = 8; // CR written as LF

// A caller's character buffer with its capacity (LPM_GETSELTEXT).
struct TTextBuffer {
    char* data = nullptr;
    int size = 0; // bytes available, the terminating NUL included
};

} // namespace quarno
