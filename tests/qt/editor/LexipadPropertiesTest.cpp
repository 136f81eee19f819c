// The editing control's published properties start at their initial values,
// and the screen follows the ones that change it.
#include "qt/editor/TLexipad.h"

#include <QtTest>

using namespace quarno;

class LexipadPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void propertiesStartAtTheirInitialValues();
    void settingsPropertiesWriteTheSettingsInUse();
    void tabSettingsReportTheirErrors();
};

void LexipadPropertiesTest::propertiesStartAtTheirInitialValues() {
    TLexipad pad;
    QCOMPARE(pad.BorderStyle(), TLexipad::bsSingle);
    QVERIFY(pad.frameShape() != QFrame::NoFrame);
    QCOMPARE(pad.ClipCopyFormats(), uint32_t(smTEXT | smRTF));
    QCOMPARE(pad.FlatScrollBars(), false);
    QCOMPARE(pad.FlatScrollBarStyle(), TLexipad::fssFLAT);
    QCOMPARE(pad.Gutter(), 34);
    QCOMPARE(pad.GutterColor(), colors::BtnFace);
    QCOMPARE(pad.HideSelection(), true);
    QCOMPARE(pad.HyperCursor(), Qt::ArrowCursor);
    QCOMPARE(pad.IndentStep(), 1);
    QCOMPARE(pad.Lines().Count(), 0);
    QCOMPARE(pad.Margin(), 2);
    QCOMPARE(pad.MarginColor(), colors::White);
    QCOMPARE(pad.Modified(), false);
    QCOMPARE(pad.MonoPrint(), true);
    QCOMPARE(pad.Options(), uint32_t(TLP_Settings::kDefaultOptions));
    QCOMPARE(pad.ReadOnly(), false);
    QCOMPARE(pad.RightMargin(), 80);
    QCOMPARE(pad.SaveFormat(), sfTEXT);
    QCOMPARE(pad.ScrollBars(), TLexipad::ssBoth);
    QCOMPARE(pad.SelLineStyle(), lsCRLF);
    QCOMPARE(pad.SelStart(), 0);
    QCOMPARE(pad.SelLength(), 0);
    QCOMPARE(pad.SelTextColor(), colors::HighlightText);
    QCOMPARE(pad.SelTextBack(), colors::Highlight);
    QCOMPARE(pad.ShowFocusLine(), false);
    QCOMPARE(pad.TabColumns(), std::string());
    QCOMPARE(pad.TabDefault(), 4);
    QCOMPARE(pad.WantReturns(), true);
    QCOMPARE(pad.WantTab(), true);
    QCOMPARE(pad.WordWrap(), false);
    QCOMPARE(pad.WrapAtColumn(), 0);
    QCOMPARE(pad.WrapOverride(), std::string(">|:"));
    QCOMPARE(pad.Version(), std::string("3.00.39"));
    pad.SetVersion("9.9");
    QCOMPARE(pad.Version(), std::string("3.00.39"));
    QCOMPARE(pad.Font().family(), QString("Courier New"));
    QCOMPARE(pad.Font().pointSize(), 10);
    QCOMPARE(pad.ActiveParser(), 1);
    QCOMPARE(pad.Parser1(), nullptr);
    QVERIFY_THROWS_EXCEPTION(ELexipad, pad.SetActiveParser(7));
}

void LexipadPropertiesTest::settingsPropertiesWriteTheSettingsInUse() {
    TLexipad pad;
    pad.resize(400, 200);
    pad.Setdef_TextColor(0x0000FF);
    pad.Setdef_BackColor(0x00FFFF);
    pad.Setdef_FontStyle(kFsBold);
    const TLP_Style& base = pad.Settings().Style(0);
    QCOMPARE(base.textColor, 0x0000FF);
    QCOMPARE(base.backColor, 0x00FFFF);
    QCOMPARE(base.fontStyle, uint8_t(kFsBold));
    pad.SetText("text");
    QImage image = pad.RenderView();
    QCOMPARE(image.pixel(pad.TextLeft() + 200, 5), qRgb(255, 255, 0)); // yellow after the text

    pad.SetGutterFont(QFont("Liberation Serif", 9));
    QCOMPARE(pad.Settings().GutterFont().name, std::string("Liberation Serif"));
    QCOMPARE(pad.GutterFont().pointSize(), 9);
    int height = pad.LineHeight();
    pad.SetFont(QFont("Courier New", 20));
    QVERIFY(pad.LineHeight() > height);
    QCOMPARE(pad.Settings().FontSize(), 20);
    pad.SetWordWrap(true);
    QVERIFY(pad.HasOption(smoWordWrap));
    pad.SetBorderStyle(TLexipad::bsNone);
    QCOMPARE(pad.frameShape(), QFrame::NoFrame);
}

void LexipadPropertiesTest::tabSettingsReportTheirErrors() {
    TLexipad pad;
    pad.SetTabColumns("5 9;13");
    QCOMPARE(pad.TabColumns(), std::string("5 9 13"));
    try {
        pad.SetTabColumns("9 5");
        QFAIL("no error");
    } catch (const ELexipad& error) {
        QCOMPARE(std::string(error.what()), std::string("Tab columns must be in order and unique"));
    }
    QCOMPARE(pad.TabColumns(), std::string("5 9 13"));
    QVERIFY_THROWS_EXCEPTION(ELexipad, pad.SetTabDefault(0));
    QCOMPARE(pad.TabDefault(), 4);
}

QTEST_MAIN(LexipadPropertiesTest)
#include "LexipadPropertiesTest.moc"
