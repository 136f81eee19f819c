// The main window's editor options command.
#include "qt/app/TEditorMainForm.h"

#include "core/highlight/TLexipadParser.h"
#include "core/options/OptionsPages.h"
#include "qt/dialogs/TOptionsDialog.h"
#include "qt/editor/TLexipad.h"

namespace quarno {

// The parser runs the dialog; after OK it has every control showing the
// language apply the settings again (and rescan), and the repository keeps
// them for the next start.
void TEditorMainForm::Properties1Click() {
    auto* parser = dynamic_cast<TLexipadParser*>(m_lexipad1->CurrentParser());
    if (!parser) return;
    // The parser outlives the window: the handler is its only for this run.
    struct TDialogHandler {
        TLexipadParser& parser;
        ~TDialogHandler() { parser.OnOptionsDialog = nullptr; }
    } handler{*parser};
    parser->OnOptionsDialog = [this](TLexipadParser& sender) {
        TOptionsDialog dialog(m_seams.Prompts(), m_seams.FileDialogs(), this);
        return dialog.Execute(sender, kAllOptionsPages);
    };
    if (parser->EditProperties()) SaveParserSettings();
}

} // namespace quarno
