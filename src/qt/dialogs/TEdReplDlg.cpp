// The main window's replace dialog.
#include "qt/dialogs/TEdReplDlg.h"

#include "core/app/TEdPersistent.h"
#include "core/app/TSearchCommands.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace quarno {

TEdReplDlg::TEdReplDlg(QWidget* parent)
    : TEdSearchDlg("EdReplDlg", "Find and replace text...", parent),
      m_replHistoryBox(NewHistoryBox("ReplHistoryBox", this)),
      m_promptOnReplBox(new QCheckBox(QStringLiteral("&Prompt on Replace"), this)),
      m_replaceAllButton(new QPushButton(QStringLiteral("Replace All"), this)) {
    auto* label = new QLabel(QStringLiteral("Replace with"), this);
    label->setBuddy(m_replHistoryBox);
    Fields().addWidget(label);
    Fields().addWidget(m_replHistoryBox);
    m_promptOnReplBox->setObjectName(QStringLiteral("PromptOnReplBox"));
    OptionBoxes().addWidget(m_promptOnReplBox);
    m_replaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
    m_replaceAllButton->setAutoDefault(false);
    InsertButton(m_replaceAllButton);
    // Tab walks the dialog as it is laid out.
    setTabOrder(FindHistoryBox(), m_replHistoryBox);
    setTabOrder(findChild<QCheckBox*>(QStringLiteral("RegExBox")), m_promptOnReplBox);
    setTabOrder(OkButton(), m_replaceAllButton);
    connect(m_replaceAllButton, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ReplaceAllButtonClick(); }); });
}

std::string TEdReplDlg::ReplaceText() const {
    return ToAnsi(m_replHistoryBox->currentText());
}

void TEdReplDlg::RememberTexts(const std::string& text, const std::string& replacement) {
    RememberFindText(text);
    m_replHistory.Remember(replacement);
    ShowHistory(*m_replHistoryBox, m_replHistory);
}

void TEdReplDlg::OKButtonClick() {
    std::string text = FindText();
    if (text.empty()) return;
    std::string replacement = ReplaceText();
    RememberTexts(text, replacement);
    Commands().Replace(text, replacement, OptionWord(), m_promptOnReplBox->isChecked());
}

// The prompt box cannot be changed while the run asks its questions.
void TEdReplDlg::ReplaceAllButtonClick() {
    std::string text = FindText();
    if (text.empty()) return;
    std::string replacement = ReplaceText();
    RememberTexts(text, replacement);
    m_promptOnReplBox->setEnabled(false);
    auto reenable = qScopeGuard([this] { m_promptOnReplBox->setEnabled(true); });
    Commands().ReplaceAll(text, replacement, OptionWord(), m_promptOnReplBox->isChecked());
}

void TEdReplDlg::LoadHistories() {
    TEdSearchDlg::LoadHistories();
    m_replHistory.Load(Persistent() ? Persistent()->ReadReplaceHistory()
                                    : std::vector<std::string>());
    ShowHistory(*m_replHistoryBox, m_replHistory);
}

void TEdReplDlg::WriteHistories() {
    TEdSearchDlg::WriteHistories();
    if (Persistent()) Persistent()->WriteReplaceHistory(m_replHistory.Items());
}

void TEdReplDlg::UpdateButtons() {
    TEdSearchDlg::UpdateButtons();
    m_replaceAllButton->setEnabled(!FindHistoryBox()->currentText().isEmpty());
}

} // namespace quarno
