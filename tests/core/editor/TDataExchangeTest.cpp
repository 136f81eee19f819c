#include "core/editor/ILexipadClipboard.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"
#include "support/CaretText.h"

#include <gtest/gtest.h>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

TDropRequest Drop(int position, bool copy, bool fromSelf, TSourceTypes available = stText) {
    TDropRequest request;
    request.available = available;
    request.position = position;
    request.copy = copy;
    request.fromSelf = fromSelf;
    request.point = {40, 20};
    return request;
}

TDropObj TextData(const std::string& text) {
    TDropObj data;
    data.text.push_back(text);
    return data;
}

} // namespace

TEST(THtmlFragment, FlagsChooseHowMuchOfTheHtmlStays) {
    const std::string html = "Version:0.9\r\n<html><body><!--StartFragment--><b>x</b> &"
                             "<!--EndFragment--></body></html>";
    struct Case {
        TSourceTypes flags;
        std::string expected;
    } cases[] = {
        {stHtml, html},
        {stHtml | stHtmlFromTag, html.substr(html.find('<'))},
        {stHtml | stHtmlFragment, "<b>x</b> &"},
        {stHtml | stHtmlFromTag | stHtmlFragment, "<b>x</b> &"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractHtmlFragment(html, c.flags), c.expected) << c.flags;
    EXPECT_EQ(ExtractHtmlFragment("no tags here", stHtmlFragment), "no tags here");
    EXPECT_EQ(ExtractHtmlFragment("<p><!--EndFragment-->a<!--StartFragment-->", stHtmlFragment),
              "<p><!--EndFragment-->a<!--StartFragment-->")
        << "markers in the wrong order leave the text alone";
}

TEST(TClipboardExchange, CopyPutsTheFormatsOfClipCopyFormats) {
    TCustomLexipad pad;
    TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    SetCaretText(pad, "^a<b\n|c");
    pad.Perform(WM_COPY);
    EXPECT_EQ(clipboard.Text(), "a<b\r\n");
    EXPECT_EQ(clipboard.RichText().rfind("{\\rtf1", 0), 0u);
    ASSERT_TRUE(clipboard.HasHtml());
    EXPECT_NE(clipboard.Html().find("a&lt;b"), std::string::npos);

    pad.SetClipCopyFormats(smTEXT);
    pad.Perform(WM_COPY);
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.RichText(), "") << "no rich text without smRTF";
    EXPECT_FALSE(clipboard.HasHtml());

    pad.SetClipCopyFormats(smRTF);
    pad.Perform(WM_COPY);
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_NE(clipboard.RichText(), "");
}

TEST(TClipboardExchange, PastePrefersTextAndLetsTheOwnerChoose) {
    TCustomLexipad pad;
    TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    EXPECT_EQ(pad.Perform(LPM_CANPASTE), 0);
    clipboard.PutHtml("<i>html</i>");
    EXPECT_EQ(pad.Perform(LPM_CANPASTE), 0) << "only 8-bit text counts";
    clipboard.PutText("plain <text>");
    EXPECT_EQ(pad.Perform(LPM_CANPASTE), 1);

    std::vector<TSourceTypes> seen;
    TSourceTypes replace = 0;
    pad.OnDataDrop = [&](TCustomLexipad&, TSourceTypes& types) {
        seen.push_back(types);
        if (replace) types = replace;
    };
    pad.Perform(WM_PASTE);
    EXPECT_EQ(CaretText(pad), "plain <text>|");
    EXPECT_EQ(seen.back(), stHtml | stText | stClipboard);

    pad.SetText("");
    replace = stHtml | stClipboard;
    pad.Perform(WM_PASTE);
    EXPECT_EQ(pad.Text(), "<i>html</i>") << "the owner cleared the text flag";

    pad.SetText("");
    replace = stText | stClipboard | stHtmlFragment;
    pad.Perform(WM_PASTE);
    EXPECT_EQ(pad.Text(), "plain <text>") << "the extraction never cuts plain text";

    pad.SetText("");
    replace = stClipboard;
    pad.Perform(WM_PASTE);
    EXPECT_EQ(pad.Text(), "") << "no data type left: nothing is pasted";
}

TEST(TClipboardExchange, HtmlOnlyPasteIsOneUndoStepWithBreaksNormalised) {
    TCustomLexipad pad;
    TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    clipboard.PutHtml("<p>one</p>\r\n<p>two\x01</p>\n");
    SetCaretText(pad, "x|y");
    pad.PasteFromClipboard();
    EXPECT_EQ(CaretText(pad), "x<p>one</p>\n<p>two.</p>\n|y");
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "x|y");
    pad.SetReadOnly(true);
    pad.PasteFromClipboard();
    EXPECT_EQ(pad.Text(), "xy");
}

TEST(TClipboardExchange, PasteStopsAtANul) {
    TCustomLexipad pad;
    TMemoryClipboard clipboard;
    pad.SetClipboard(&clipboard);
    clipboard.PutText(std::string("ab\0cd", 5));
    pad.PasteFromClipboard();
    EXPECT_EQ(pad.Text(), "ab");
}

TEST(TDropTarget, TextFromOutsideIsInsertedAndSelected) {
    TCustomLexipad pad;
    SetCaretText(pad, "hello |world");
    int changes = 0;
    pad.OnChange = [&](TCustomLexipad&) { ++changes; };
    EXPECT_EQ(pad.DropData(TextData("big\r\n"), Drop(6, false, false)), TDropResult::Inserted);
    EXPECT_EQ(CaretText(pad), "hello ^big\n|world");
    EXPECT_EQ(changes, 1) << "one OnChange for the whole drop";
    pad.Undo();
    EXPECT_EQ(pad.Text(), "hello world");
}

TEST(TDropTarget, HtmlIsTakenBeforeTextAndExtractedOnlyOnRequest) {
    TCustomLexipad pad;
    TDropObj data = TextData("text");
    data.html.push_back("junk<!--StartFragment-->frag<!--EndFragment-->");
    pad.DropData(data, Drop(0, false, false, stText | stHtml));
    EXPECT_EQ(pad.Text(), "junk<!--StartFragment-->frag<!--EndFragment-->");
    pad.SetText("");
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        types = static_cast<TSourceTypes>((types & ~stInsertAsText) | stHtmlFragment);
    };
    pad.DropData(data, Drop(0, false, false, stText | stHtml));
    EXPECT_EQ(pad.Text(), "frag");
}

TEST(TDropTarget, MoveWithinTheControlIsOneUndoStep) {
    TCustomLexipad pad;
    SetCaretText(pad, "^abc|-def-ghi");
    EXPECT_EQ(pad.DropData(TextData("abc"), Drop(8, false, true)), TDropResult::Inserted);
    EXPECT_EQ(CaretText(pad), "-def-^abc|ghi") << "the drop point moved back by the moved text";
    pad.Undo();
    EXPECT_EQ(CaretText(pad), "^abc|-def-ghi") << "both places restored in one step";

    SetCaretText(pad, "abc-def-^ghi|");
    pad.DropData(TextData("ghi"), Drop(1, false, true));
    EXPECT_EQ(CaretText(pad), "a^ghi|bc-def-") << "a drop before the selection needs no correction";
}

TEST(TDropTarget, CopyWithinTheControlDuplicatesAndKeepsTheSelection) {
    TCustomLexipad pad;
    SetCaretText(pad, "x^ab|yz");
    pad.DropData(TextData("ab"), Drop(5, true, true));
    EXPECT_EQ(CaretText(pad), "x^ab|yzab");
    pad.DropData(TextData("ab"), Drop(0, true, true));
    EXPECT_EQ(CaretText(pad), "abx^ab|yzab") << "the selection follows its text";
    pad.DropData(TextData("ab"), Drop(3, true, true));
    EXPECT_EQ(CaretText(pad), "abxab^ab|yzab") << "copying to its own start duplicates";
}

TEST(TDropTarget, DropOntoTheSelectionItselfIsRefused) {
    TCustomLexipad pad;
    struct Case {
        int position;
        bool copy;
        TDropResult expected;
    } cases[] = {
        {3, false, TDropResult::Refused}, {2, false, TDropResult::Refused},
        {5, false, TDropResult::Refused}, {3, true, TDropResult::Refused},
        {2, true, TDropResult::Inserted}, {6, false, TDropResult::Inserted},
    };
    for (const Case& c : cases) {
        SetCaretText(pad, "ab^cde|fg");
        EXPECT_EQ(pad.DropData(TextData("cde"), Drop(c.position, c.copy, true)), c.expected)
            << c.position << (c.copy ? " copy" : " move");
        if (c.expected == TDropResult::Refused) {
            EXPECT_EQ(CaretText(pad), "ab^cde|fg");
        }
    }
    SetCaretText(pad, "ab^cde|fg");
    EXPECT_EQ(pad.DropData(TextData("cde"), Drop(3, false, false)), TDropResult::Inserted)
        << "the same text from another program is not the selection";
}

TEST(TDropTarget, ReadOnlyTakesNothingAndEmptyDataIsRefused) {
    TCustomLexipad pad;
    pad.SetText("abc");
    pad.SetReadOnly(true);
    EXPECT_EQ(pad.DropData(TextData("x"), Drop(1, false, false)), TDropResult::Ignored);
    EXPECT_EQ(pad.Text(), "abc");
    pad.SetReadOnly(false);
    EXPECT_EQ(pad.DropData(TDropObj(), Drop(1, false, false)), TDropResult::Refused);
    EXPECT_EQ(pad.DropData(TextData("x"), Drop(1, false, false, stHtml)), TDropResult::Refused)
        << "data the flags do not name is not read";
}

TEST(TDropTarget, DroppedFilesGoToTheOwnerOrInAsText) {
    TCustomLexipad pad;
    pad.SetText("");
    TDropObj data;
    data.files = {"/tmp/a.bas", "/tmp/b b.inc"};
    std::vector<std::string> received;
    TPoint at;
    pad.OnFilesDropped = [&](TCustomLexipad&, std::vector<std::string>& files, TPoint point) {
        received = files;
        at = point;
        files.pop_back();
    };
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        types = static_cast<TSourceTypes>(types & ~stInsertAsText);
    };
    pad.SetOptions(pad.Options() | smoProcessDroppedFiles);
    EXPECT_EQ(pad.DropData(data, Drop(0, false, false, stFiles)), TDropResult::FilesTaken);
    EXPECT_EQ(received, data.files);
    EXPECT_EQ(at, (TPoint{40, 20}));
    EXPECT_EQ(pad.Text(), "") << "without flag 1024 nothing is inserted";

    pad.OnDataDrop = nullptr;
    EXPECT_EQ(pad.DropData(data, Drop(0, false, false, stFiles)), TDropResult::Inserted);
    EXPECT_EQ(pad.Text(), "/tmp/a.bas\r") << "the handler's list goes in as text";

    pad.SetText("");
    pad.SetOptions(pad.Options() & ~smoProcessDroppedFiles);
    received.clear();
    pad.DropData(data, Drop(0, false, false, stFiles));
    EXPECT_TRUE(received.empty()) << "no handler call without smoProcessDroppedFiles";
    EXPECT_EQ(pad.Text(), "/tmp/a.bas\r/tmp/b b.inc\r");
}

TEST(TDragSource, MoveToAnotherTargetDeletesTheSelection) {
    TCustomLexipad pad;
    SetCaretText(pad, "ab^cd|ef");
    pad.DragMovedAway();
    EXPECT_EQ(CaretText(pad), "ab|ef");
    SetCaretText(pad, "ab^cd|ef");
    pad.SetReadOnly(true);
    pad.DragMovedAway();
    EXPECT_EQ(pad.Text(), "abcdef");
}
