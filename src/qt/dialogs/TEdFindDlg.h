// The main window's find dialog: OK searches for the text with the chosen
// options and selects the match, and stays open for the next search.
#pragma once

#include "qt/dialogs/TEdSearchDlg.h"

namespace quarno {

class TEdFindDlg : public TEdSearchDlg {
    Q_OBJECT
public:
    explicit TEdFindDlg(QWidget* parent = nullptr);

protected:
    void OKButtonClick() override;
};

} // namespace quarno
