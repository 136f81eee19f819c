#include "core/base/Exceptions.h"
#include "core/base/TFastMemoryStream.h"
#include "core/base/TMemoryStream.h"
#include "core/document/TEdStream.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "support/StoreInspection.h"
#include "support/TempDir.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace quarno;
using quarno::test::CheckInvariants;
using quarno::test::RecordLayout;

namespace {

std::string Saved(TCustomLexipad& pad) {
    TMemoryStream stream;
    pad.SaveToStream(&stream);
    return stream.Bytes();
}

// A stream that fails after a number of bytes, like a file on a failing disk.
class FailingStream : public TMemoryStream {
public:
    FailingStream(std::string bytes, int64_t failAt) : TMemoryStream(bytes), m_failAt(failAt) {}
    int64_t Read(void* buffer, int64_t count) override {
        if (Position() + count > m_failAt) throw EReadError("Stream read error");
        return TMemoryStream::Read(buffer, count);
    }
    int64_t Write(const void* buffer, int64_t count) override {
        ++writes;
        return TMemoryStream::Write(buffer, std::min<int64_t>(count, m_failAt));
    }
    int writes = 0;

private:
    int64_t m_failAt;
};

} // namespace

TEST(TTextStore, LineBreaksAreNormalisedAndSavedInEachStyle) {
    TCustomLexipad pad;
    pad.SetText("a\r\nb");
    EXPECT_EQ(pad.Text(), "a\rb");
    EXPECT_EQ(RecordLayout(pad.Store()), "2 1");
    EXPECT_EQ(Saved(pad), "a\r\nb");
    pad.SetSaveFormat(sfUNIX);
    EXPECT_EQ(Saved(pad), "a\nb");
    pad.SetSaveFormat(sfTEXT);
    pad.Store().SetLineStyle(lsLF);
    EXPECT_EQ(Saved(pad), "a\rb");
    pad.SetText("1\n2\n\r3\r4\r\n");
    EXPECT_EQ(pad.Text(), "1\r2\r3\r4\r");
    EXPECT_EQ(pad.LineCount(), 4) << "the line after the final break is not stored";
}

TEST(TTextStore, ControlCharactersBecomeDotsButTabsStay) {
    TCustomLexipad pad;
    pad.SetText(std::string("a\0b\x01\tc\x1f", 7));
    EXPECT_EQ(pad.Text(), "a.b.\tc.");
    EXPECT_TRUE(pad.Store().Record(0).Flags() & lfHasTab);
}

TEST(TTextStore, EmptyStreamLoadsAsEmptyDocument) {
    TCustomLexipad pad;
    pad.SetText("something");
    pad.SetText("");
    EXPECT_EQ(pad.CharCount(), 0);
    EXPECT_EQ(pad.Store().RecordCount(), 0);
    EXPECT_EQ(pad.LineCount(), 1);
    EXPECT_EQ(pad.Perform(EM_GETLINECOUNT), 1);
    EXPECT_EQ(Saved(pad), "");
}

// A CR LF or LF CR pair that straddles an 8192-byte piece stays one break,
// whether the text is loaded or inserted.
TEST(TTextStore, LineBreakPairsAcrossChunkBoundariesStayOneBreak) {
    for (const std::string pair : {"\r\n", "\n\r"}) {
        for (int shift = -2; shift <= 1; ++shift) {
            std::string text(static_cast<size_t>(8191 + shift), 'x');
            text += pair + "tail" + pair + pair;
            std::string expected(static_cast<size_t>(8191 + shift), 'x');
            expected += "\rtail\r\r";
            TCustomLexipad loaded;
            loaded.SetText(text);
            EXPECT_EQ(loaded.Text(), expected) << "shift " << shift;
            TCustomLexipad typed;
            typed.ReplaceSelection(text);
            EXPECT_EQ(typed.Text(), expected) << "shift " << shift;
            EXPECT_EQ(CheckInvariants(typed.Store()), "");
        }
    }
}

TEST(TTextStore, LongLinesSplitIntoContinuationRecords) {
    TCustomLexipad pad;
    pad.SetText(std::string(5000, 'a') + "\r\nb");
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 +2047 +907 1");
    EXPECT_EQ(pad.Perform(EM_GETLINECOUNT), 4);
    EXPECT_EQ(pad.Store().LongestLine(), 2047);
    pad.SetText(std::string(2046, 'a') + "\r" + std::string(2047, 'b') + "\rc");
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 2047 +1 1");
    EXPECT_EQ(Saved(pad), std::string(2046, 'a') + "\r\n" + std::string(2047, 'b') + "\r\nc");
}

// Typing into a full record of a long line pushes its last character on into
// the continuations, so no short row appears in the middle of the line; a
// huge line takes in only a few records per keystroke, and a continuation
// carrying an image is never taken in.
TEST(TTextStore, TypingIntoAFullRecordFlowsOnIntoTheContinuations) {
    TCustomLexipad pad;
    pad.SetText(std::string(4094, 'a') + std::string(10, 'b') + "\rnext");
    for (int position : {2047, 2047, 0, 4097}) {
        pad.SetSelection(position, position);
        pad.ReplaceSelection("x");
    }
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 +2047 +15 4");
    EXPECT_EQ(CheckInvariants(pad.Store()), "");
    EXPECT_EQ(pad.Text().substr(0, 3), "xaa");
    EXPECT_EQ(pad.Text().substr(2047, 4), "axxa");

    pad.SetText(std::string(20 * 2047, 'a'));
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("y");
    EXPECT_EQ(RecordLayout(pad.Store()).substr(0, 30), "2047 +2047 +2047 +2047 +2047 +");
    EXPECT_NE(RecordLayout(pad.Store()).find("+2047 +1 +2047"), std::string::npos);
    EXPECT_EQ(CheckInvariants(pad.Store()), "");

    pad.SetText(std::string(3 * 2047, 'a'));
    pad.Store().Record(1).SetImages(1);
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("z");
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 +1 +2047 +2047");
    EXPECT_EQ(CheckInvariants(pad.Store()), "");
}

TEST(TTextStore, BreakInsertedAtASoftBoundaryEndsTheContinuation) {
    TCustomLexipad pad;
    pad.SetText(std::string(3000, 'a'));
    pad.SetSelection(2047, 2047);
    pad.ReplaceSelection("\r");
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 +1 953");
    EXPECT_EQ(CheckInvariants(pad.Store()), "");
    pad.SetSelection(2047, 2048);
    pad.ReplaceSelection("");
    EXPECT_EQ(RecordLayout(pad.Store()), "2047 +953");
}

TEST(TTextStore, GetLineCopiesWithoutTheBreak) {
    TCustomLexipad pad;
    pad.SetText("first\r\nlast");
    char buffer[16] = {};
    uint16_t size = sizeof buffer;
    std::memcpy(buffer, &size, sizeof size);
    EXPECT_EQ(pad.Perform(EM_GETLINE, 0, buffer), 5);
    EXPECT_EQ(std::string(buffer, 5), "first");
    std::memcpy(buffer, &size, sizeof size);
    EXPECT_EQ(pad.Perform(EM_GETLINE, 1, buffer), 4);
    EXPECT_EQ(std::string(buffer, 4), "last");
    EXPECT_EQ(pad.Perform(EM_GETLINE, 2, buffer), 0);
    size = 3;
    std::memcpy(buffer, &size, sizeof size);
    EXPECT_EQ(pad.Perform(EM_GETLINE, 0, buffer), 3);
}

TEST(TTextStore, LineQueriesThroughMessages) {
    TCustomLexipad pad;
    pad.SetText("ab\rcde\rf");
    EXPECT_EQ(pad.Perform(EM_LINEINDEX, 1), 3);
    EXPECT_EQ(pad.Perform(EM_LINEINDEX, 3), pad.CharCount());
    EXPECT_EQ(pad.Perform(EM_LINEINDEX, 4), -1);
    EXPECT_EQ(pad.Perform(EM_LINELENGTH, 4), 3);
    EXPECT_EQ(pad.Perform(EM_LINEFROMCHAR, 6), 1);
    EXPECT_EQ(pad.Perform(EM_LINEFROMCHAR, 8), 2) << "the text end maps to the last record";
    pad.SetSelection(7, 7);
    EXPECT_EQ(pad.Perform(EM_LINEFROMCHAR, static_cast<uintptr_t>(-1)), 2);
    EXPECT_EQ(pad.Perform(EM_LINEINDEX, static_cast<uintptr_t>(-1)), 7);
    EXPECT_EQ(pad.Perform(WM_GETTEXTLENGTH), 8);
    char text[5];
    EXPECT_EQ(pad.Perform(WM_GETTEXT, sizeof text, text), 4);
    EXPECT_STREQ(text, "ab\rc");
}

TEST(TTextStore, SelectionIsClampedAndMinusOneSelectsAll) {
    TCustomLexipad pad;
    pad.SetText("hello");
    int pair[2] = {-1, 0};
    pad.Perform(LPM_SELECTION, kLpmSet, pair);
    EXPECT_EQ(pad.SelLength(), 5);
    pair[0] = 9;
    pair[1] = -4;
    pad.Perform(LPM_SELECTION, kLpmSet, pair);
    pad.Perform(LPM_SELECTION, 0, pair);
    EXPECT_EQ(pair[0], 5);
    EXPECT_EQ(pair[1], 0);
    pad.Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(pad.SelStart(), 0);
    EXPECT_EQ(pad.SelLength(), 5);
}

TEST(TTextStore, TextChangeReportsStartAndExtentPerChunk) {
    TCustomLexipad pad;
    pad.SetText("abc");
    std::vector<std::pair<int, int>> changes;
    pad.OnTextChange = [&](TCustomLexipad&, int start, int extent) {
        changes.emplace_back(start, extent);
    };
    pad.SetSelection(1, 2);
    pad.ReplaceSelection(std::string(9000, 'x'));
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, -1}, {1, 8192}, {8193, 808}}));
    changes.clear();
    pad.SelectAll();
    pad.ReplaceSelection("");
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 0}}));
}

// Random edits against a plain string: the text and every store invariant
// must hold after each step, near the 2047 split and far from it.
TEST(TTextStore, RandomEditsKeepTextAndInvariants) {
    std::mt19937 random(11);
    const std::string alphabet = "ab \t\r\r\nxyz";
    TCustomLexipad pad;
    std::string model;
    for (int step = 0; step < 3000; ++step) {
        int start = model.empty() ? 0 : static_cast<int>(random() % (model.size() + 1));
        int end = std::min<int>(static_cast<int>(model.size()),
                                start + static_cast<int>(random() % (step % 50 == 0 ? 3000 : 6)));
        std::string text;
        int length = static_cast<int>(random() % (step % 40 == 0 ? 2500 : 4));
        for (int i = 0; i < length; ++i)
            text += random() % 300 == 0 ? '\r' : alphabet[random() % alphabet.size()];
        pad.SetSelection(start, end);
        pad.ReplaceSelection(text);
        std::string normalized;
        for (size_t i = 0; i < text.size(); ++i) {
            bool isBreak = text[i] == '\r' || text[i] == '\n';
            bool pair = isBreak && i + 1 < text.size() &&
                        (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != text[i];
            normalized += text[i] == '\n' ? '\r' : text[i];
            i += pair ? 1 : 0;
        }
        model = model.substr(0, static_cast<size_t>(start)) + normalized +
                model.substr(static_cast<size_t>(end));
        ASSERT_EQ(pad.Text(), model) << "step " << step;
        ASSERT_EQ(CheckInvariants(pad.Store()), "") << "step " << step;
        ASSERT_EQ(pad.CaretPos(), start + static_cast<int>(normalized.size()));
    }
}

TEST(TTextStore, FailedLoadKeepsTheDocument) {
    TCustomLexipad pad;
    pad.SetText("keep me");
    FailingStream stream(std::string(50000, 'x'), 20000);
    EXPECT_THROW(pad.LoadFromStream(stream), EReadError);
    EXPECT_EQ(pad.Text(), "keep me");
    EXPECT_THROW(pad.LoadFromFile("/nonexistent/file.bas"), ELexipad);
    try {
        pad.LoadFromFile("/nonexistent/file.bas");
    } catch (const ELexipad& error) {
        EXPECT_STREQ(error.what(), "File '/nonexistent/file.bas' cannot be opened for reading");
    }
}

TEST(TTextStore, ShortWritesAreRetriedThenReported) {
    TCustomLexipad pad;
    pad.SetText("a line\r\nanother line");
    FailingStream stream("", 3);
    try {
        pad.SaveToStream(&stream);
        FAIL() << "no exception";
    } catch (const EFileSaveError& error) {
        EXPECT_STREQ(error.what(), "Could not save text to stream");
    }
    EXPECT_EQ(stream.writes, 4) << "one try and three retries";
    EXPECT_THROW(pad.SaveToStream(nullptr), EFileSaveError);
}

TEST(TTextStore, SaveToFileReplacesAtomically) {
    quarno::test::TempDir dir;
    dir.Write("prog.bas", "old contents");
    TCustomLexipad pad;
    pad.SetText("new\rtext");
    pad.SaveToFile(dir.File("prog.bas"));
    EXPECT_EQ(dir.Read("prog.bas"), "new\r\ntext");
    EXPECT_THROW(pad.SaveToFile(dir.File("missing/prog.bas")), EFCreateError);
    pad.LoadFromFile(dir.File("prog.bas"));
    EXPECT_EQ(pad.Text(), "new\rtext");
}

TEST(TEdStream, ReadsAndStepsAcrossRecords) {
    TCustomLexipad pad;
    pad.SetText("ab\rcd");
    TEdStream stream(pad.Store());
    EXPECT_EQ(stream.CharCount(), 5);
    std::string read(5, '\0');
    EXPECT_EQ(stream.Read(read.data(), 10), 5);
    EXPECT_EQ(read, "ab\rcd");
    EXPECT_EQ(stream.NextChar(), -1);
    EXPECT_EQ(stream.PrevChar(), 'd');
    EXPECT_EQ(stream.PrevChar(), 'c');
    EXPECT_EQ(stream.PrevChar(), '\r');
    EXPECT_EQ(stream.RecordIndex(), 0);
    stream.Place(1, 1);
    EXPECT_EQ(stream.Pos(), 4);
    EXPECT_EQ(stream.Seek(-3, TSeekOrigin::soEnd), 2);
    EXPECT_EQ(stream.PeekChar(), '\r');
    EXPECT_EQ(stream.NextChar(), '\r');
    EXPECT_EQ(stream.PeekChar(), 'c');
    EXPECT_THROW(stream.Write("x", 1), EStreamError);
    TFastMemoryStream memory("buffer");
    EXPECT_EQ(memory.Size(), 6);
    EXPECT_THROW(memory.Write("x", 1), EStreamError);
}

// Loading appends through AppendText; it must lay records out exactly as
// inserting the same chunks at the end does, wherever the chunks are cut.
TEST(TTextStore, AppendingMatchesInsertingAtTheEnd) {
    std::mt19937 random(17);
    const std::vector<size_t> lineLengths = {0, 1, 2045, 2046, 2047, 2048, 4094, 4095, 5000};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        while (text.size() < 30000) {
            size_t length =
                random() % 3 == 0 ? lineLengths[random() % lineLengths.size()] : random() % 60;
            for (size_t i = 0; i < length; ++i)
                text += i % 7 == 3 ? '\t' : static_cast<char>('a' + random() % 26);
            if (random() % 9 != 0) text += '\r';
        }
        TTextStore inserted;
        TTextStore appended;
        for (size_t start = 0; start < text.size();) {
            size_t piece = std::min(text.size() - start, 1 + random() % 9000);
            std::string_view chunk = std::string_view(text).substr(start, piece);
            inserted.InsertText(inserted.CharCount(), chunk);
            appended.AppendText(chunk);
            start += piece;
        }
        SCOPED_TRACE(round);
        ASSERT_EQ(appended.Text(), text);
        ASSERT_EQ(RecordLayout(appended), RecordLayout(inserted));
        ASSERT_EQ(CheckInvariants(appended), "");
        ASSERT_EQ(appended.LongestLine(), inserted.LongestLine());
        for (int i = 0; i < appended.RecordCount(); ++i) {
            ASSERT_EQ(appended.Record(i).Flags(), inserted.Record(i).Flags()) << i;
            ASSERT_EQ(appended.Record(i).CStr()[appended.Record(i).Length()], '\0') << i;
        }
    }
}

// Kept (slab) records and owned ones behave alike through edits and a swap
// of whole contents.
TEST(TTextStore, LoadedRecordsSurviveEditsAndTakeover) {
    TTextStore loaded;
    loaded.AppendText("first\rsecond\rthird\r");
    loaded.InsertText(6, "2nd ");
    loaded.DeleteRange(0, 2);
    TTextStore target;
    target.AppendText("old\r");
    target.TakeContent(loaded);
    EXPECT_EQ(target.Text(), "rst\r2nd second\rthird\r");
    EXPECT_EQ(RecordLayout(target), "4 11 6");
    EXPECT_EQ(loaded.Text(), "old\r");
    EXPECT_EQ(CheckInvariants(target), "");
}

// Deleting the whole last line leaves no record of its own to rescan, yet the
// line before now ends the text and a token there may have reached into what
// went (a string or comment closed on the deleted line): that line is flagged.
TEST(TTextStore, DeletingTheLastLineFlagsTheLineBefore) {
    TTextStore store;
    store.InsertText(0, "a\r\"b\rc\"");
    ASSERT_EQ(store.RecordCount(), 3);
    store.ClearRestyleRange();
    for (int i = 0; i < store.RecordCount(); ++i)
        store.Record(i).ClearFlags(lfRestyle);
    store.DeleteRange(5, 7);
    ASSERT_EQ(store.RecordCount(), 2);
    EXPECT_FALSE(store.Record(0).Flags() & lfRestyle);
    EXPECT_TRUE(store.Record(1).Flags() & lfRestyle);
    EXPECT_EQ(CheckInvariants(store), "");
}
