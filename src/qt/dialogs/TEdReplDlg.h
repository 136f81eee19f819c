// The main window's replace dialog: OK replaces the next match, Replace All
// every match from the text start on, as one undo step; either may ask before
// each replacement.
#pragma once

#include "qt/dialogs/TEdSearchDlg.h"

namespace quarno {

class TEdReplDlg : public TEdSearchDlg {
    Q_OBJECT
public:
    explicit TEdReplDlg(QWidget* parent = nullptr);

    std::string ReplaceText() const;
    const TSearchHistory& ReplaceHistory() const { return m_replHistory; }
    QComboBox* ReplHistoryBox() const { return m_replHistoryBox; }
    QCheckBox* PromptOnReplBox() const { return m_promptOnReplBox; }
    void ReplaceAllButtonClick();

protected:
    void OKButtonClick() override;
    void LoadHistories() override;
    void WriteHistories() override;
    void UpdateButtons() override;

private:
    // Both texts go to the top of their histories.
    void RememberTexts(const std::string& text, const std::string& replacement);

    TSearchHistory m_replHistory;
    QComboBox* m_replHistoryBox;
    QCheckBox* m_promptOnReplBox;
    QPushButton* m_replaceAllButton;
};

} // namespace quarno
