#include "core/options/TOptionsSession.h"
#include "core/base/TMemoryStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quarno;

namespace {

std::string StreamForm(const TLP_Settings& settings) {
    TMemoryStream stream;
    settings.SaveToStream(stream);
    return stream.Bytes();
}

// A parser shown in a main editor, and the dialog's two previews.
struct Rig {
    Rig() : parser(MakeShippedParser("basic")) {
        main.SetParser(1, parser.get());
        main.SetText("' comment\rHIGH PORTB.0\r");
    }
    std::unique_ptr<TLexipadParser> parser;
    TCustomLexipad main;
    TCustomLexipad preview;
    TCustomLexipad templates;
};

} // namespace

TEST(TOptionsSession, OnlyThePreviewsFollowTheWorkingCopy) {
    Rig rig;
    TLP_Settings& own = rig.parser->Settings();
    {
        TOptionsSession session(*rig.parser, rig.preview, rig.templates);
        EXPECT_EQ(&rig.parser->Settings(), &session.Working());
        EXPECT_EQ(&rig.preview.Settings(), &session.Working());
        EXPECT_EQ(&rig.templates.Settings(), &session.Working());
        EXPECT_EQ(&rig.main.Settings(), &own) << "the main editor keeps the real settings";
        EXPECT_EQ(rig.parser->AttachedControls(),
                  (std::vector<TCustomLexipad*>{&rig.preview, &rig.templates}));
        EXPECT_EQ(StreamForm(session.Working()), StreamForm(own));
    }
    EXPECT_EQ(&rig.parser->Settings(), &own);
    EXPECT_EQ(rig.parser->AttachedControls(), (std::vector<TCustomLexipad*>{&rig.main}));
    EXPECT_EQ(rig.preview.Parser(1), nullptr);
    EXPECT_NE(&rig.preview.Settings(), &own);
}

TEST(TOptionsSession, CancelChangesNothingAcceptAssignsTheCopy) {
    Rig rig;
    TLP_Settings& own = rig.parser->Settings();
    const std::string before = StreamForm(own);
    {
        TOptionsSession session(*rig.parser, rig.preview, rig.templates);
        session.Working().SetGutter(77);
        session.Working().Templates().Add("x", "", false, "y");
        rig.preview.SetOptions(rig.preview.Options() ^ smoWordWrap);
    }
    EXPECT_EQ(StreamForm(own), before);
    {
        TOptionsSession session(*rig.parser, rig.preview, rig.templates);
        session.Working().SetGutter(77);
        session.Accept();
    }
    EXPECT_EQ(own.Gutter(), 77);
    EXPECT_EQ(rig.main.Gutter(), 77);
}

TEST(TOptionsSession, AFailureWhileOpenStillGivesTheParserBack) {
    Rig rig;
    TLP_Settings& own = rig.parser->Settings();
    const std::string before = StreamForm(own);
    try {
        TOptionsSession session(*rig.parser, rig.preview, rig.templates);
        session.Working().SetRightMargin(3);
        throw std::runtime_error("dialog failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(&rig.parser->Settings(), &own);
    EXPECT_EQ(StreamForm(own), before);
    EXPECT_EQ(rig.parser->AttachedControls(), (std::vector<TCustomLexipad*>{&rig.main}));
    rig.main.SetText("REM again\r");
    const uint8_t* tokens = rig.main.Store().Record(0).Tokens();
    ASSERT_NE(tokens, nullptr);
    EXPECT_NE(tokens[0], 0) << "the main editor still highlights with the parser";
}
