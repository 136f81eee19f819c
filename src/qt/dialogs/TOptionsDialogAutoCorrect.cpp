// The editor options dialog: the auto correct page.
#include "qt/dialogs/TOptionsDialog.h"

#include "qt/dialogs/TOptionsDialogModels.h"

#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/OptionsDialogWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quarno {

QWidget* TOptionsDialog::CreateAutoCorrectPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("AutoCorrectSheet"));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    m_actKeysBox = NamedLineEdit("AutoReplActBox", page);
    m_replaceBox = NamedLineEdit("ReplaceBox", page);
    m_withBox = NamedLineEdit("WithBox", page);
    form->addRow(QStringLiteral("Act key(s)"), m_actKeysBox);
    form->addRow(QStringLiteral("Replace"), m_replaceBox);
    form->addRow(QStringLiteral("With"), m_withBox);
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    m_autoReplBox =
        EntryList("AutoReplBox", {QStringLiteral("Replace"), QStringLiteral("With")}, page);
    row->addWidget(m_autoReplBox, 1);
    auto* buttons = new QVBoxLayout;
    m_replFirstButton = NamedButton("Add", "AutoReplAddButton", page);
    m_replSecondButton = NamedButton("Delete", "AutoReplDeleteButton", page);
    buttons->addWidget(m_replFirstButton);
    buttons->addWidget(m_replSecondButton);
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    connect(m_autoReplBox, &QTreeWidget::currentItemChanged, this,
            [this] { Handle([this] { ReplacementChosen(); }); });
    for (QLineEdit* field : {m_replaceBox, m_withBox})
        connect(field, &QLineEdit::textChanged, this,
                [this] { Handle([this] { UpdateAutoCorrectButtons(); }); });
    connect(m_actKeysBox, &QLineEdit::editingFinished, this,
            [this] { Handle([this] { ActKeysLeft(); }); });
    connect(m_replFirstButton, &QPushButton::clicked, this,
            [this] { Handle([this] { AutoCorrectFirstClick(); }); });
    connect(m_replSecondButton, &QPushButton::clicked, this,
            [this] { Handle([this] { AutoCorrectSecondClick(); }); });
    return page;
}

void TOptionsDialog::FillAutoCorrectPage() {
    ListReplacements(-1);
    m_actKeysBox->setText(FromAnsi(m_models->autoCorrect.ActKeys()));
    UpdateAutoCorrectButtons();
}

void TOptionsDialog::ListReplacements(int select) {
    bool filling = m_filling;
    m_filling = true;
    FillEntries(m_autoReplBox, m_models->autoCorrect.Entries(), select);
    m_filling = filling;
}

void TOptionsDialog::ReplacementChosen() {
    int index = CurrentEntry(m_autoReplBox);
    if (index < 0) return;
    const TEntryList& entries = m_models->autoCorrect.Entries();
    m_replaceBox->setText(FromAnsi(entries.Name(index)));
    m_withBox->setText(FromAnsi(entries.Value(index)));
}

void TOptionsDialog::UpdateAutoCorrectButtons() {
    TEntryButtons buttons =
        m_models->autoCorrect.Buttons(ToAnsi(m_replaceBox->text()), ToAnsi(m_withBox->text()));
    m_replFirstButton->setEnabled(buttons.addEnabled);
    m_replSecondButton->setEnabled(buttons.secondEnabled);
    m_replSecondButton->setText(FromAnsi(buttons.secondCaption));
    if (buttons.select < 0) return;
    bool filling = m_filling;
    m_filling = true;
    m_autoReplBox->setCurrentItem(m_autoReplBox->topLevelItem(buttons.select));
    m_filling = filling;
}

void TOptionsDialog::AutoCorrectFirstClick() {
    int index = m_models->autoCorrect.Add(ToAnsi(m_replaceBox->text()), ToAnsi(m_withBox->text()));
    ListReplacements(index);
    UpdateAutoCorrectButtons();
}

void TOptionsDialog::AutoCorrectSecondClick() {
    TAutoCorrectList& list = m_models->autoCorrect;
    std::string word = ToAnsi(m_replaceBox->text());
    int index = m_replSecondButton->text() == QStringLiteral("Delete")
                    ? list.Delete(word)
                    : list.Replace(word, ToAnsi(m_withBox->text()));
    ListReplacements(index);
    UpdateAutoCorrectButtons();
}

void TOptionsDialog::ActKeysLeft() {
    if (!m_models) return;
    std::string text = ToAnsi(m_actKeysBox->text());
    if (text == m_models->autoCorrect.ActKeys()) return;
    std::string error = m_models->autoCorrect.SetActKeys(text);
    if (error.empty()) return;
    m_actKeysBox->setText(FromAnsi(m_models->autoCorrect.ActKeys()));
    ShowError(error);
}

} // namespace quarno
