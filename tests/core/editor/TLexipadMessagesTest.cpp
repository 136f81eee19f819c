// Every message of the control's dispatcher, sent through Perform as a
// caller of the message protocol would: output buffers fenced by guard bytes
// and sized exactly, each answer and its visible effect checked.
#include "core/base/TMemoryStream.h"
#include "core/document/TUndoStack.h"
#include "core/editor/ILexipadClipboard.h"
#include "core/editor/ILexipadView.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <vector>

using namespace quarno;
using quarno::test::RecordLayout;

namespace {

constexpr size_t kGuard = 16;
constexpr unsigned char kFence = 0xA5;

// A caller's buffer of exactly size bytes with guard bytes on both sides.
class Fenced {
public:
    explicit Fenced(size_t size) : m_size(size), m_bytes(size + 2 * kGuard, kFence) {}
    unsigned char* Data() { return m_bytes.data() + kGuard; }
    template <typename T> T* As() { return reinterpret_cast<T*>(Data()); }
    intptr_t Address() { return reinterpret_cast<intptr_t>(Data()); }
    std::string Text(size_t count) { return std::string(reinterpret_cast<char*>(Data()), count); }
    // True when no byte outside the buffer was written.
    bool Intact() const {
        for (size_t i = 0; i < kGuard; ++i)
            if (m_bytes[i] != kFence || m_bytes[kGuard + m_size + i] != kFence) return false;
        return true;
    }

private:
    size_t m_size;
    std::vector<unsigned char> m_bytes;
};

class CountingView : public ILexipadView {
public:
    void Repaint(bool) override { ++repaints; }
    void Beep() override {}
    void ShowReplaceDialog(const std::string& preset, uint32_t) override { replacePreset = preset; }
    int repaints = 0;
    std::string replacePreset;
};

// Twenty lines "line 00" .. "line 19" in a view of 5 rows and 10 columns.
struct Rig {
    Rig() {
        pad.SetView(&view);
        pad.SetClipboard(&clipboard);
        pad.SetVisibleSize(10, 5);
        std::string text;
        for (int i = 0; i < 20; ++i)
            text +=
                (i ? "\r" : "") + std::string("line ") + char('0' + i / 10) + char('0' + i % 10);
        pad.SetText(text);
    }
    intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
        return pad.Perform(message, wParam, lParam);
    }
    intptr_t SendText(uint32_t message, const char* text, uintptr_t wParam = 0) {
        return Send(message, wParam, reinterpret_cast<intptr_t>(text));
    }
    CountingView view;
    TMemoryClipboard clipboard;
    TCustomLexipad pad;
};

struct MessageCase {
    const char* name;
    uint32_t message;
    std::function<void(Rig&)> check;
};

const std::vector<MessageCase>& Cases() {
    static const std::vector<MessageCase> cases = {
        {"EM_GETSEL", EM_GETSEL,
         [](Rig& r) {
             r.pad.SetSelection(11, 3);
             Fenced start(sizeof(int)), end(sizeof(int));
             intptr_t packed =
                 r.Send(EM_GETSEL, static_cast<uintptr_t>(start.Address()), end.Address());
             EXPECT_EQ(*start.As<int>(), 3);
             EXPECT_EQ(*end.As<int>(), 11);
             EXPECT_EQ(packed, 3 | (11 << 16));
             EXPECT_TRUE(start.Intact() && end.Intact());
             EXPECT_EQ(r.Send(EM_GETSEL), 3 | (11 << 16)) << "no addresses: the answer only";
         }},
        {"EM_SETSEL", EM_SETSEL,
         [](Rig& r) {
             r.Send(EM_SETSEL, 2, 5);
             EXPECT_EQ(r.pad.SelStart(), 2);
             EXPECT_EQ(r.pad.SelLength(), 3);
             r.Send(EM_SETSEL, 0, -1);
             EXPECT_EQ(r.pad.SelLength(), r.pad.CharCount());
         }},
        {"EM_REPLACESEL", EM_REPLACESEL,
         [](Rig& r) {
             r.pad.SetSelection(0, 4);
             EXPECT_EQ(r.SendText(EM_REPLACESEL, "LINE"), 0);
             EXPECT_EQ(r.pad.LineText(0), "LINE 00");
             r.pad.Undo();
             EXPECT_EQ(r.pad.LineText(0), "line 00") << "one undo step";
         }},
        {"LPM_REPLACESEL", LPM_REPLACESEL,
         [](Rig& r) {
             r.pad.SetSelection(8, 12);
             r.SendText(LPM_REPLACESEL, "X\r\nY");
             EXPECT_EQ(r.pad.LineText(1), "X");
             EXPECT_EQ(r.pad.LineText(2), "Y 01");
             r.pad.SetSelection(0, 2);
             r.Send(LPM_REPLACESEL, 0, 0);
             EXPECT_EQ(r.pad.LineText(0), "ne 00") << "no text deletes the selection";
         }},
        {"EM_LINESCROLL", EM_LINESCROLL,
         [](Rig& r) {
             EXPECT_EQ(r.Send(EM_LINESCROLL, 2, 3), 1);
             EXPECT_EQ(r.pad.TopLine(), 3);
             EXPECT_EQ(r.pad.LeftCol(), 2);
             r.Send(EM_LINESCROLL, static_cast<uintptr_t>(-5), -10);
             EXPECT_EQ(r.pad.TopLine(), 0) << "clamped at the first line";
             EXPECT_EQ(r.pad.LeftCol(), 0);
             r.Send(EM_LINESCROLL, 0, 100);
             EXPECT_EQ(r.pad.TopLine(), 19) << "clamped at the last line";
         }},
        {"EM_SCROLLCARET", EM_SCROLLCARET,
         [](Rig& r) {
             r.pad.SetSelection(r.pad.LineIndex(12) + 6, r.pad.LineIndex(12) + 6);
             EXPECT_EQ(r.Send(EM_SCROLLCARET), 1);
             EXPECT_EQ(r.pad.TopLine(), 8) << "line 12 becomes the last of 5 rows";
             r.pad.SetSelection(0, 0);
             r.Send(EM_SCROLLCARET);
             EXPECT_EQ(r.pad.TopLine(), 0);
         }},
        {"EM_GETMODIFY", EM_GETMODIFY,
         [](Rig& r) {
             EXPECT_EQ(r.Send(EM_GETMODIFY), 0);
             r.SendText(EM_REPLACESEL, "x");
             EXPECT_EQ(r.Send(EM_GETMODIFY), 1);
         }},
        {"EM_GETLINECOUNT", EM_GETLINECOUNT,
         [](Rig& r) { EXPECT_EQ(r.Send(EM_GETLINECOUNT), 20); }},
        {"EM_LINEINDEX", EM_LINEINDEX,
         [](Rig& r) {
             EXPECT_EQ(r.Send(EM_LINEINDEX, 3), 24);
             r.pad.SetSelection(17, 17);
             EXPECT_EQ(r.Send(EM_LINEINDEX, static_cast<uintptr_t>(-1)), 16) << "caret line";
         }},
        {"EM_LINELENGTH", EM_LINELENGTH, [](Rig& r) { EXPECT_EQ(r.Send(EM_LINELENGTH, 9), 7); }},
        {"EM_GETLINE", EM_GETLINE,
         [](Rig& r) {
             Fenced line(7);
             uint16_t size = 7;
             std::memcpy(line.Data(), &size, sizeof size);
             EXPECT_EQ(r.Send(EM_GETLINE, 2, line.Address()), 7);
             EXPECT_EQ(line.Text(7), "line 02") << "no CR copied";
             EXPECT_TRUE(line.Intact());
             Fenced cut(4);
             size = 4;
             std::memcpy(cut.Data(), &size, sizeof size);
             EXPECT_EQ(r.Send(EM_GETLINE, 2, cut.Address()), 4);
             EXPECT_EQ(cut.Text(4), "line");
             EXPECT_TRUE(cut.Intact());
             EXPECT_EQ(r.Send(EM_GETLINE, 20, cut.Address()), 0) << "past the last line";
             Fenced empty(2);
             std::memset(empty.Data(), 0, 2);
             EXPECT_EQ(r.Send(EM_GETLINE, 2, empty.Address()), 0) << "a size word of 0";
             EXPECT_TRUE(empty.Intact());
         }},
        {"EM_CANUNDO", EM_CANUNDO,
         [](Rig& r) {
             EXPECT_EQ(r.Send(EM_CANUNDO), 0) << "loading clears the log";
             r.SendText(EM_REPLACESEL, "x");
             EXPECT_EQ(r.Send(EM_CANUNDO), 1);
         }},
        {"EM_UNDO", EM_UNDO,
         [](Rig& r) {
             r.SendText(EM_REPLACESEL, "x");
             EXPECT_EQ(r.Send(EM_UNDO), 1);
             EXPECT_EQ(r.pad.LineText(0), "line 00");
         }},
        {"WM_UNDO", WM_UNDO,
         [](Rig& r) {
             r.pad.SetSelection(0, 4);
             r.SendText(EM_REPLACESEL, "word");
             EXPECT_EQ(r.Send(WM_UNDO), 1);
             EXPECT_EQ(r.pad.LineText(0), "line 00");
             EXPECT_EQ(r.pad.Perform(LPM_CANREDO, 0, 0), 1);
         }},
        {"EM_LINEFROMCHAR", EM_LINEFROMCHAR,
         [](Rig& r) {
             EXPECT_EQ(r.Send(EM_LINEFROMCHAR, 25), 3);
             r.pad.SetSelection(9, 9);
             EXPECT_EQ(r.Send(EM_LINEFROMCHAR, static_cast<uintptr_t>(-1)), 1) << "caret";
         }},
        {"EM_EMPTYUNDOBUFFER", EM_EMPTYUNDOBUFFER,
         [](Rig& r) {
             r.SendText(EM_REPLACESEL, "x");
             r.Send(EM_EMPTYUNDOBUFFER);
             EXPECT_EQ(r.Send(EM_CANUNDO), 0);
             EXPECT_EQ(r.pad.LineText(0), "xline 00") << "the text stays";
         }},
        {"EM_GETFIRSTVISIBLELINE", EM_GETFIRSTVISIBLELINE,
         [](Rig& r) {
             r.pad.SetTopLine(4);
             EXPECT_EQ(r.Send(EM_GETFIRSTVISIBLELINE), 4);
         }},
        {"EM_POSFROMCHAR", EM_POSFROMCHAR,
         [](Rig& r) {
             TPoint point = r.pad.PosFromChar(8);
             intptr_t packed = r.Send(EM_POSFROMCHAR, 8);
             EXPECT_EQ(packed, (point.x & 0xFFFF) | ((point.y & 0xFFFF) << 16));
             EXPECT_GT(point.y, 0) << "line 1 lies below line 0";
             r.pad.SetTopLine(3);
             EXPECT_EQ(r.Send(EM_POSFROMCHAR, 8), -1) << "above the top line";
         }},
        {"EM_CHARFROMPOS", EM_CHARFROMPOS,
         [](Rig& r) {
             TPoint point = r.pad.PosFromChar(10);
             EXPECT_EQ(r.Send(EM_CHARFROMPOS, 0, (point.x + 1) | ((point.y + 1) << 16)), 10);
         }},
        {"WM_SETTEXT", WM_SETTEXT,
         [](Rig& r) {
             EXPECT_EQ(r.SendText(WM_SETTEXT, "a\r\nb"), 1);
             EXPECT_EQ(r.pad.Text(), "a\rb");
             r.Send(WM_SETTEXT, 0, 0);
             EXPECT_EQ(r.pad.Text(), "") << "no text: an empty one";
         }},
        {"WM_GETTEXT", WM_GETTEXT,
         [](Rig& r) {
             r.pad.SetText("ab\rcd");
             Fenced whole(6);
             EXPECT_EQ(r.Send(WM_GETTEXT, 6, whole.Address()), 5);
             EXPECT_EQ(whole.Text(6), std::string("ab\rcd\0", 6));
             Fenced cut(3);
             EXPECT_EQ(r.Send(WM_GETTEXT, 3, cut.Address()), 2);
             EXPECT_EQ(cut.Text(3), std::string("ab\0", 3));
             EXPECT_TRUE(whole.Intact() && cut.Intact());
             Fenced none(1);
             EXPECT_EQ(r.Send(WM_GETTEXT, 0, none.Address()), 0);
             EXPECT_EQ(none.Data()[0], kFence) << "a size of 0 writes nothing";
             EXPECT_EQ(r.Send(WM_GETTEXT, 1, none.Address()), 0);
             EXPECT_EQ(none.Data()[0], 0) << "room for the NUL only";
             EXPECT_TRUE(none.Intact());
         }},
        {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH,
         [](Rig& r) { EXPECT_EQ(r.Send(WM_GETTEXTLENGTH), 20 * 8 - 1); }},
        {"WM_CUT", WM_CUT,
         [](Rig& r) {
             r.pad.SetSelection(0, 5);
             r.Send(WM_CUT);
             EXPECT_EQ(r.clipboard.Text(), "line ");
             EXPECT_EQ(r.pad.LineText(0), "00");
         }},
        {"WM_COPY", WM_COPY,
         [](Rig& r) {
             r.pad.SetSelection(5, 9);
             r.Send(WM_COPY);
             EXPECT_EQ(r.clipboard.Text(), "00\r\nl");
         }},
        {"WM_PASTE", WM_PASTE,
         [](Rig& r) {
             r.clipboard.PutText("P");
             r.pad.SetSelection(0, 0);
             r.Send(WM_PASTE);
             EXPECT_EQ(r.pad.LineText(0), "Pline 00");
         }},
        {"LPM_CANPASTE", LPM_CANPASTE,
         [](Rig& r) {
             EXPECT_EQ(r.Send(LPM_CANPASTE), 0);
             r.clipboard.PutText("P");
             EXPECT_EQ(r.Send(LPM_CANPASTE), 1);
         }},
        {"LPM_SELECTION", LPM_SELECTION,
         [](Rig& r) {
             Fenced pair(2 * sizeof(int));
             pair.As<int>()[0] = 9;
             pair.As<int>()[1] = 500;
             r.Send(LPM_SELECTION, kLpmSet, pair.Address());
             EXPECT_EQ(r.pad.Selection().anchor, 9);
             EXPECT_EQ(r.pad.Selection().caret, r.pad.CharCount()) << "clamped";
             pair.As<int>()[0] = -1;
             pair.As<int>()[1] = 3;
             r.Send(LPM_SELECTION, kLpmSet | kLpmNoRepaint, pair.Address());
             EXPECT_EQ(r.pad.SelLength(), r.pad.CharCount()) << "a start of -1 selects all";
             r.pad.SetSelection(7, 2);
             r.Send(LPM_SELECTION, 0, pair.Address());
             EXPECT_EQ(pair.As<int>()[0], 7);
             EXPECT_EQ(pair.As<int>()[1], 2);
             EXPECT_TRUE(pair.Intact());
         }},
        {"LPM_OPTIONS", LPM_OPTIONS,
         [](Rig& r) {
             EXPECT_EQ(static_cast<uint32_t>(r.Send(LPM_OPTIONS)), r.pad.Options());
             r.pad.Settings().SetWrapColumn(4);
             uint32_t wrapped = r.pad.Options() | smoWordWrap;
             EXPECT_EQ(static_cast<uint32_t>(r.Send(LPM_OPTIONS, kLpmSet, wrapped)), wrapped);
             EXPECT_TRUE(r.pad.HasOption(smoWordWrap));
             EXPECT_EQ(r.pad.Store().LineRecordCount(0), 2) << "\"line \" \"00\": wrapped";
         }},
        {"LPM_LOCKUPDATE", LPM_LOCKUPDATE,
         [](Rig& r) {
             EXPECT_EQ(r.Send(LPM_LOCKUPDATE, kLpmSet, 1), 1);
             EXPECT_EQ(r.Send(LPM_LOCKUPDATE), 1) << "get";
             r.view.repaints = 0;
             r.pad.SetTopLine(5);
             EXPECT_EQ(r.view.repaints, 0) << "locked";
             EXPECT_EQ(r.Send(LPM_LOCKUPDATE, kLpmSet, 0), 0);
             EXPECT_EQ(r.view.repaints, 1) << "releasing repaints";
             EXPECT_EQ(r.Send(LPM_LOCKUPDATE, kLpmSet, 0), 0) << "an extra release is harmless";
         }},
        {"LPM_INSERTSTREAM", LPM_INSERTSTREAM,
         [](Rig& r) {
             TMemoryStream stream("skip|A\r\nB");
             stream.SetPosition(5);
             r.pad.SetSelection(0, 4);
             r.Send(LPM_INSERTSTREAM, 0, reinterpret_cast<intptr_t>(&stream));
             EXPECT_EQ(r.pad.LineText(0), "A");
             EXPECT_EQ(r.pad.LineText(1), "B 00") << "the remaining bytes only";
             r.pad.Undo();
             EXPECT_EQ(r.pad.LineText(0), "line 00") << "one undo step";
             r.Send(LPM_INSERTSTREAM, 0, 0);
             EXPECT_EQ(r.pad.LineText(0), "line 00") << "no stream: nothing";
         }},
        {"LPM_WRITESTREAM", LPM_WRITESTREAM,
         [](Rig& r) {
             r.pad.SetSelection(4, 10);
             const std::pair<uint32_t, std::string> formats[] = {
                 {0, " 00\rli"}, {kWriteCrLf, " 00\r\nli"}, {kWriteLf, " 00\nli"}};
             for (const auto& [format, expected] : formats) {
                 TMemoryStream stream;
                 r.Send(LPM_WRITESTREAM, format, reinterpret_cast<intptr_t>(&stream));
                 EXPECT_EQ(stream.Bytes(), expected) << format;
             }
             TMemoryStream rtf, html;
             r.Send(LPM_WRITESTREAM, kWriteRtf, reinterpret_cast<intptr_t>(&rtf));
             r.Send(LPM_WRITESTREAM, kWriteHtml, reinterpret_cast<intptr_t>(&html));
             EXPECT_EQ(rtf.Bytes().substr(0, 5), "{\\rtf");
             EXPECT_NE(html.Bytes().find("li"), std::string::npos);
             EXPECT_NE(html.Bytes().find('<'), std::string::npos);
         }},
        {"LPM_MODIFIED", LPM_MODIFIED,
         [](Rig& r) {
             r.SendText(EM_REPLACESEL, "x");
             EXPECT_EQ(r.Send(LPM_MODIFIED), 1);
             EXPECT_EQ(r.Send(LPM_MODIFIED, kLpmSet, 1), 1) << "true does nothing";
             EXPECT_EQ(r.Send(LPM_MODIFIED, kLpmSet, 0), 0);
             EXPECT_EQ(r.Send(EM_CANUNDO), 0) << "false clears the log";
         }},
        {"LPM_TOPLINE", LPM_TOPLINE,
         [](Rig& r) {
             EXPECT_EQ(r.Send(LPM_TOPLINE), 0);
             r.view.repaints = 0;
             EXPECT_EQ(r.Send(LPM_TOPLINE, kLpmSet, 6), 6);
             EXPECT_EQ(r.pad.TopLine(), 6);
             EXPECT_GT(r.view.repaints, 0);
             EXPECT_EQ(r.Send(LPM_TOPLINE, kLpmSet, 99), 19) << "clamped";
         }},
        {"LPM_LEFTCOL", LPM_LEFTCOL,
         [](Rig& r) {
             EXPECT_EQ(r.Send(LPM_LEFTCOL, kLpmSet, 3), 3);
             EXPECT_EQ(r.pad.LeftCol(), 3);
             EXPECT_EQ(r.Send(LPM_LEFTCOL), 3);
             EXPECT_EQ(r.Send(LPM_LEFTCOL, kLpmSet, -4), 0) << "never left of column 0";
         }},
        {"LPM_FIND", LPM_FIND,
         [](Rig& r) {
             EXPECT_EQ(r.SendText(LPM_FIND, "ne 07", 8), 58);
             EXPECT_EQ(r.pad.SelStart(), 58);
             EXPECT_EQ(r.pad.SelLength(), 5);
             EXPECT_EQ(r.SendText(LPM_FIND, "absent", 8), -1);
         }},
        {"LPM_REPLACEDIALOG", LPM_REPLACEDIALOG,
         [](Rig& r) {
             r.pad.SetSelection(0, 4);
             r.SendText(LPM_REPLACEDIALOG, "", 0);
             EXPECT_EQ(r.view.replacePreset, "line");
         }},
        {"LPM_GETSELTEXT", LPM_GETSELTEXT,
         [](Rig& r) {
             r.pad.SetSelection(5, 10);
             const std::pair<uint32_t, std::string> formats[] = {
                 {0, "00\rli"}, {kWriteCrLf, "00\r\nli"}, {kWriteLf, "00\nli"}};
             for (const auto& [format, expected] : formats) {
                 Fenced data(expected.size() + 1);
                 TTextBuffer buffer{data.As<char>(), static_cast<int>(expected.size() + 1)};
                 EXPECT_EQ(r.Send(LPM_GETSELTEXT, format, reinterpret_cast<intptr_t>(&buffer)),
                           static_cast<intptr_t>(expected.size()));
                 EXPECT_EQ(data.Text(expected.size() + 1), expected + '\0');
                 EXPECT_TRUE(data.Intact()) << format;
             }
             Fenced small(3);
             TTextBuffer cut{small.As<char>(), 3};
             EXPECT_EQ(r.Send(LPM_GETSELTEXT, 0, reinterpret_cast<intptr_t>(&cut)), 2);
             EXPECT_EQ(small.Text(3), std::string("00\0", 3));
             EXPECT_TRUE(small.Intact());
             EXPECT_EQ(r.Send(LPM_GETSELTEXT, 0, 0), 0) << "no buffer";
         }},
        {"LPM_CANREDO", LPM_CANREDO,
         [](Rig& r) {
             r.SendText(EM_REPLACESEL, "x");
             EXPECT_EQ(r.Send(LPM_CANREDO), 0);
             r.pad.Undo();
             EXPECT_EQ(r.Send(LPM_CANREDO), 1);
         }},
        {"LPM_REDO", LPM_REDO,
         [](Rig& r) {
             r.SendText(EM_REPLACESEL, "x");
             r.pad.Undo();
             EXPECT_EQ(r.Send(LPM_REDO), 1);
             EXPECT_EQ(r.pad.LineText(0), "xline 00");
         }},
        {"LPM_BLOCKINDENT", LPM_BLOCKINDENT,
         [](Rig& r) {
             r.pad.SetSelection(0, 10);
             r.Send(LPM_BLOCKINDENT, 2, 0);
             EXPECT_EQ(r.pad.LineText(0), "  line 00");
             EXPECT_EQ(r.pad.LineText(1), "  line 01");
             EXPECT_EQ(r.pad.LineText(2), "line 02");
         }},
        {"LPM_BLOCKUNINDENT", LPM_BLOCKUNINDENT,
         [](Rig& r) {
             r.pad.SetSelection(0, 0);
             r.SendText(EM_REPLACESEL, "   ");
             r.pad.SetSelection(0, 2);
             r.Send(LPM_BLOCKUNINDENT, 2, 0);
             EXPECT_EQ(r.pad.LineText(0), " line 00");
         }},
        {"LPM_SETTINGSCHANGED", LPM_SETTINGSCHANGED,
         [](Rig& r) {
             r.pad.Settings().SetWrapColumn(4);
             r.pad.Settings().SetOptions(r.pad.Settings().Options() | smoWordWrap);
             EXPECT_EQ(r.pad.Store().RecordCount(), 20) << "not applied yet";
             r.Send(LPM_SETTINGSCHANGED);
             EXPECT_EQ(r.pad.Store().RecordCount(), 40) << "every line wrapped in two";
             EXPECT_EQ(RecordLayout(r.pad.Store()).substr(0, 7), "5 +3 5 ");
         }},
        {"LPM_SETSTYLES", LPM_SETSTYLES,
         [](Rig& r) {
             int lines[2] = {1, 1};
             std::string tokens(8, '\x07');
             EXPECT_EQ(r.Send(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines),
                              reinterpret_cast<intptr_t>(tokens.data())),
                       8);
             ASSERT_NE(r.pad.Store().Record(1).Tokens(), nullptr);
             EXPECT_EQ(r.pad.Store().Record(1).Tokens()[7], 7);
         }},
        {"LPM_GETSTYLES", LPM_GETSTYLES,
         [](Rig& r) {
             int lines[2] = {1, 2};
             std::string tokens = std::string(8, '\x03') + std::string(8, '\x04');
             r.Send(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines),
                    reinterpret_cast<intptr_t>(tokens.data()));
             Fenced out(16);
             EXPECT_EQ(r.Send(LPM_GETSTYLES, reinterpret_cast<uintptr_t>(lines), out.Address()),
                       16);
             EXPECT_EQ(out.Text(16), tokens);
             EXPECT_TRUE(out.Intact());
             Fenced all(static_cast<size_t>(r.pad.CharCount()));
             EXPECT_EQ(r.Send(LPM_GETSTYLES, 0, all.Address()), r.pad.CharCount())
                 << "no pair: the whole document";
             EXPECT_EQ(all.Text(24).substr(8), tokens);
             EXPECT_EQ(all.Data()[0], 0) << "unstyled lines read as token 0";
             EXPECT_TRUE(all.Intact());
             int reversed[2] = {2, 1};
             EXPECT_EQ(r.Send(LPM_GETSTYLES, reinterpret_cast<uintptr_t>(reversed), out.Address()),
                       0);
             int outside[2] = {25, 30};
             EXPECT_EQ(r.Send(LPM_GETSTYLES, reinterpret_cast<uintptr_t>(outside), out.Address()),
                       0);
         }},
        {"LPM_UNDOSTACK", LPM_UNDOSTACK,
         [](Rig& r) {
             Fenced slot(sizeof(TUndoStack*));
             r.Send(LPM_UNDOSTACK, 0, slot.Address());
             EXPECT_EQ(*slot.As<TUndoStack*>(), r.pad.Store().UndoStack());
             EXPECT_TRUE(slot.Intact());
             r.SendText(EM_REPLACESEL, "x");
             auto* fresh = new TUndoStack; // ownership passes to the store
             r.Send(LPM_UNDOSTACK, kLpmSet, reinterpret_cast<intptr_t>(fresh));
             EXPECT_EQ(r.pad.Store().UndoStack(), fresh);
             EXPECT_EQ(r.Send(EM_CANUNDO), 0) << "the new stack is empty";
             r.SendText(EM_REPLACESEL, "y");
             EXPECT_EQ(r.Send(EM_CANUNDO), 1);
             // A null stack is refused: the log, and with it the modified
             // flag, stays.
             r.Send(LPM_UNDOSTACK, kLpmSet, 0);
             EXPECT_EQ(r.pad.Store().UndoStack(), fresh);
             r.SendText(EM_REPLACESEL, "z");
             EXPECT_EQ(r.Send(LPM_MODIFIED), 1);
             EXPECT_EQ(r.Send(WM_UNDO), 1);
             EXPECT_EQ(r.pad.LineText(0), "xyline 00");
         }},
        {"LPM_STORE", LPM_STORE,
         [](Rig& r) {
             Fenced slot(sizeof(TTextStore*));
             r.Send(LPM_STORE, 0, slot.Address());
             TTextStore* own = *slot.As<TTextStore*>();
             EXPECT_EQ(own, &r.pad.Store());
             EXPECT_TRUE(slot.Intact());
             TTextStore other;
             r.Send(LPM_STORE, 1, reinterpret_cast<intptr_t>(&other));
             EXPECT_EQ(&r.pad.Store(), &other);
             r.SendText(EM_REPLACESEL, "tab two");
             EXPECT_EQ(other.Text(), "tab two");
             r.Send(LPM_STORE, 1, reinterpret_cast<intptr_t>(own));
             EXPECT_EQ(r.pad.LineText(19), "line 19") << "the first store is untouched";
             EXPECT_EQ(r.pad.Selection().caret, 7) << "the owner restores the selection";
         }},
    };
    return cases;
}

} // namespace

TEST(TLexipadMessages, EveryMessageAnswersAndActs) {
    for (const MessageCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        Rig rig;
        c.check(rig);
        EXPECT_EQ(quarno::test::CheckInvariants(rig.pad.Store()), "");
    }
}

// The table reaches every message the control answers, each exactly once.
TEST(TLexipadMessages, TheTableCoversEveryMessage) {
    const std::set<uint32_t> all = {WM_SETTEXT,      WM_GETTEXT,         WM_GETTEXTLENGTH,
                                    EM_GETSEL,       EM_SETSEL,          EM_LINESCROLL,
                                    EM_SCROLLCARET,  EM_GETMODIFY,       EM_GETLINECOUNT,
                                    EM_LINEINDEX,    EM_LINELENGTH,      EM_REPLACESEL,
                                    EM_GETLINE,      EM_CANUNDO,         EM_UNDO,
                                    EM_LINEFROMCHAR, EM_EMPTYUNDOBUFFER, EM_GETFIRSTVISIBLELINE,
                                    EM_POSFROMCHAR,  EM_CHARFROMPOS,     WM_CUT,
                                    WM_COPY,         WM_PASTE,           WM_UNDO,
                                    LPM_CANPASTE,    LPM_SELECTION,      LPM_OPTIONS,
                                    LPM_REPLACESEL,  LPM_LOCKUPDATE,     LPM_INSERTSTREAM,
                                    LPM_WRITESTREAM, LPM_MODIFIED,       LPM_TOPLINE,
                                    LPM_LEFTCOL,     LPM_FIND,           LPM_REPLACEDIALOG,
                                    LPM_GETSELTEXT,  LPM_CANREDO,        LPM_REDO,
                                    LPM_BLOCKINDENT, LPM_BLOCKUNINDENT,  LPM_SETTINGSCHANGED,
                                    LPM_SETSTYLES,   LPM_GETSTYLES,      LPM_UNDOSTACK,
                                    LPM_STORE};
    std::multiset<uint32_t> sent;
    for (const MessageCase& c : Cases())
        sent.insert(c.message);
    EXPECT_EQ(std::set<uint32_t>(sent.begin(), sent.end()), all);
    EXPECT_EQ(sent.size(), all.size());
}
