#include "core/editor/TStyledTextWriter.h"
#include "core/base/TMemoryStream.h"
#include "core/editor/LexipadMessages.h"
#include "core/editor/TCustomLexipad.h"

#include <gtest/gtest.h>

using namespace quarno;

namespace {

// "If" in a bold blue keyword style, the rest in style 0.
void Prepare(TCustomLexipad& pad) {
    TLP_Style keyword;
    keyword.fontStyle = kFsBold;
    keyword.textColor = 0xFF0000; // blue, stored as 0x00BBGGRR
    keyword.defined = 1;
    pad.Settings().SetStyle(1, keyword);
    pad.Settings().SetTokenStyle(7, 1);
    pad.SetText("If x\r\t<a>\xE9'\\{}");
    uint8_t tokens[16] = {7, 7};
    pad.Perform(LPM_SETSTYLES, 0, tokens);
}

} // namespace

TEST(TStyledTextWriter, RichTextRunsColoursAndEscapes) {
    TCustomLexipad pad;
    Prepare(pad);
    EXPECT_EQ(WriteRtf(pad.Store(), 0, pad.CharCount(), pad.Settings()),
              "{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset1 Courier New;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
              "\\red0\\green0\\blue255;}\r\n"
              "{\\f1\\fs20\\cf0\\cb1 \\b1 \\cf2 If\\b0 \\cf0  x\\line \r\n"
              "\\tab <a>\\'e9\\'27\\\\\\{\\}\r\n}}");
}

TEST(TStyledTextWriter, HtmlRunsAndEscapes) {
    TCustomLexipad pad;
    Prepare(pad);
    THtmlHeader header{"t.bas", "2026-01-02"};
    EXPECT_EQ(WriteHtml(pad.Store(), 0, pad.CharCount(), pad.Settings(), header),
              "<HTML><HEAD>\r\n<META NAME=\"GENERATOR\" CONTENT=\"QUARNO+ Editor\">\r\n"
              "<TITLE>t.bas</TITLE>\r\n<META NAME=\"Date\" CONTENT=\"2026-01-02\">\r\n"
              "</HEAD>\r\n<BODY TEXT=\"#000000\" BGCOLOR=\"#ffffff\">\r\n<PRE>\r\n"
              "<FONT FACE=\"Courier New\">\r\n"
              "</FONT><FONT COLOR=\"#0000ff\"><B>If</FONT><FONT COLOR=\"#000000\"></B> x\r\n"
              "&nbsp;&lt;a&gt;&#233;'\\{}\r\n</PRE></FONT></BODY></HTML>\r\n");
}

// The title (a file name, or a title the owner sets) and the font name are
// escaped like the text, so they cannot break the page or add markup.
TEST(TStyledTextWriter, HtmlHeaderTextIsEscaped) {
    TCustomLexipad pad;
    pad.SetText("x");
    pad.Settings().SetFontName("A\"B<");
    THtmlHeader header{"</TITLE><SCRIPT>a&b\"\xE9", "2026-01-02"};
    std::string html = WriteHtml(pad.Store(), 0, pad.CharCount(), pad.Settings(), header);
    EXPECT_NE(html.find("<TITLE>&lt;/TITLE&gt;&lt;SCRIPT&gt;a&amp;b&quot;&#233;</TITLE>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<FONT FACE=\"A&quot;B&lt;\">"), std::string::npos) << html;
    EXPECT_EQ(html.find("<SCRIPT>"), std::string::npos);
}

TEST(TStyledTextWriter, SaveFormatsAndSelectionsUseTheWriters) {
    TCustomLexipad pad;
    Prepare(pad);
    pad.SetHtmlDate("2026-01-02");
    pad.SetSelection(0, 2);
    EXPECT_EQ(pad.SelectedText(kWriteRtf).substr(0, 5), "{\\rtf");
    EXPECT_NE(pad.SelectedText(kWriteRtf).find("If\r\n}}"), std::string::npos);
    pad.SetSaveFormat(sfHTML);
    TMemoryStream stream;
    pad.SaveToStream(&stream);
    EXPECT_EQ(stream.Bytes(),
              WriteHtml(pad.Store(), 0, pad.CharCount(), pad.Settings(), {"", "2026-01-02"}));
}
