// The check boxes of the options page.
#include "core/options/OptionSwitches.h"

namespace quarno {

const std::array<TOptionSwitch, kOptionSwitchCount>& OptionSwitches() {
    static const std::array<TOptionSwitch, kOptionSwitchCount> switches{{
        {"WrapLineBox", "Wrap long lines", smoPrintWrap, true},
        {"LineNosBox", "Line numbers", smoPrintLineNos, true},
        {"FileNamBox", "Title in header", smoPrintFilename, true},
        {"DateBox", "Date in header", smoPrintDate, true},
        {"PageNosBox", "Page numbers", smoPrintPageNos, true},
        {"PrnSynHighlightBox", "Syntax highlight", smoSyntaxHighlight, true},
        {"DispWrapBox", "Word wrap", smoWordWrap, false},
        {"WrapOverrideBox", "Override wrapping", smoWrapOverride, false},
        {"AutoIndentBox", "Auto indent", smoAutoIndent, false},
        {"TabColBox", "Smart tab", smoTabToColumn, false},
        {"WordSelectBox", "Word select", smoWordSelect, false},
        {"VisRMarginBox", "Visible right margin", smoShowRMargin, false},
        {"VisGutterBox", "Visible gutter", smoShowGutter, false},
        {"ShowWrapColumnBox", "Show word-wrap column", smoShowWrapColumn, false},
        {"TitleAsFilenameBox", "Title as filename", smoTitleAsFilename, false},
        {"BlockCursorBox", "Block cursor for Overwrite", smoBlockOverwriteCursor, false},
        {"MarkWrapBox", "Mark wrapped lines", smoShowWrapGlyph, false},
        {"UseTabBox", "Use tab character", smoUseTAB, false},
        {"SmartFillBox", "Smart fill", smoSmartFill, false},
        {"CursorAfterEOLBox", "Cursor beyond EOL", smoCaretAfterEOL, false},
        {"EdLineNosBox", "Line numbers in gutter", smoLineNumbers, false},
        {"ShowAllCharsBox", "Show all chars", smoShowAllChars, false},
    }};
    return switches;
}

} // namespace quarno
