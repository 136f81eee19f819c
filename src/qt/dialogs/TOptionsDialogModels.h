// What the options dialog works on while Execute runs: the session that
// holds the parser, and the rules of each page over the working copy. Shared
// by the dialog's part files only.
#pragma once

#include "core/options/TAutoCorrectList.h"
#include "core/options/TCodeTemplateList.h"
#include "core/options/THighlightPageModel.h"
#include "core/options/TKeyAssignments.h"
#include "core/options/TOptionsPageModel.h"
#include "core/options/TOptionsSession.h"
#include "qt/dialogs/TOptionsDialog.h"
#include "qt/editor/TLexipad.h"

namespace quarno {

// Members in this order: the session first installs the working copy the
// page rules are made over, and goes last.
struct TOptionsDialog::TModels {
    TModels(TLexipadParser& parser, TLexipad& preview, TLexipad& templateEditor)
        : session(parser, preview, templateEditor), options(preview), highlight(preview),
          keys(session.Working().Keys()), autoCorrect(session.Working().AutoReplace()),
          templates(session.Working().Templates()) {}

    TOptionsSession session;
    TOptionsPageModel options;
    THighlightPageModel highlight;
    TKeyAssignments keys;
    TAutoCorrectList autoCorrect;
    TCodeTemplateList templates;
};

} // namespace quarno
