// The main window's find dialog.
#include "qt/dialogs/TEdFindDlg.h"

#include "core/app/TSearchCommands.h"

namespace quarno {

TEdFindDlg::TEdFindDlg(QWidget* parent) : TEdSearchDlg("EdFindDlg", "Find text...", parent) {}

void TEdFindDlg::OKButtonClick() {
    std::string text = FindText();
    if (text.empty()) return;
    RememberFindText(text);
    Commands().Find(text, OptionWord());
}

} // namespace quarno
