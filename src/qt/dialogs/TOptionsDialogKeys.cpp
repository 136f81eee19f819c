// The editor options dialog: the key assignments page.
#include "qt/dialogs/TOptionsDialog.h"

#include "qt/dialogs/TOptionsDialogModels.h"

#include "core/options/TKeyAssignWizard.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/dialogs/OptionsDialogWidgets.h"
#include "qt/dialogs/TKeyAssignDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quarno {

namespace {

// The command chosen when the dialog was last shown.
int g_lastCommand = 0;

} // namespace

QWidget* TOptionsDialog::CreateKeysPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("KeysSheet"));
    auto* grid = new QGridLayout(page);
    m_commandsBox = new QListWidget(page);
    m_commandsBox->setObjectName(QStringLiteral("CommandDescListBox"));
    m_keysBox = new QListWidget(page);
    m_keysBox->setObjectName(QStringLiteral("CommandKeysListBox"));
    m_keysBox->installEventFilter(this);
    grid->addWidget(new QLabel(QStringLiteral("Commands"), page), 0, 0);
    grid->addWidget(m_commandsBox, 1, 0, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Uses keys"), page), 0, 1);
    grid->addWidget(m_keysBox, 1, 1);
    auto* buttons = new QVBoxLayout;
    m_addKeyButton = NamedButton("Add...", "AddKeyButton", page);
    m_editKeyButton = NamedButton("Edit...", "EditKeyButton", page);
    m_deleteKeyButton = NamedButton("Delete", "DeleteKeyButton", page);
    for (QPushButton* button : {m_addKeyButton, m_editKeyButton, m_deleteKeyButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    connect(m_commandsBox, &QListWidget::currentRowChanged, this,
            [this] { Handle([this] { CommandChosen(); }); });
    connect(m_keysBox, &QListWidget::currentRowChanged, this,
            [this] { Handle([this] { KeyChosen(); }); });
    connect(m_addKeyButton, &QPushButton::clicked, this,
            [this] { Handle([this] { AddKeyClick(); }); });
    connect(m_editKeyButton, &QPushButton::clicked, this,
            [this] { Handle([this] { EditKeyClick(); }); });
    connect(m_deleteKeyButton, &QPushButton::clicked, this,
            [this] { Handle([this] { DeleteKeyClick(); }); });
    return page;
}

void TOptionsDialog::FillKeysPage() {
    TKeyAssignments& keys = m_models->keys;
    m_commandsBox->clear();
    for (int command = 0; command < keys.Count(); ++command)
        m_commandsBox->addItem(FromAnsi(keys.Description(command)));
    m_listedCommand = -1;
    if (keys.Count() == 0) return;
    m_commandsBox->setCurrentRow(std::clamp(g_lastCommand, 0, keys.Count() - 1));
    CommandChosen();
}

void TOptionsDialog::CommandChosen() {
    int command = m_commandsBox->currentRow();
    if (command < 0) return;
    LeaveKeyList();
    g_lastCommand = command;
    m_listedCommand = command;
    m_models->keys.Select(command);
    ListKeys(0);
}

// The command's pairs, with one of them chosen; the buttons follow.
void TOptionsDialog::ListKeys(int select) {
    TKeyAssignments& keys = m_models->keys;
    bool filling = m_filling;
    m_filling = true;
    m_keysBox->clear();
    for (const std::string& text : keys.KeyTexts(m_listedCommand))
        m_keysBox->addItem(FromAnsi(text));
    m_keysBox->setCurrentRow(std::min(select, m_keysBox->count() - 1));
    m_filling = filling;
    KeyChosen();
    m_editKeyButton->setEnabled(keys.HasPairs(m_listedCommand));
    m_deleteKeyButton->setEnabled(keys.HasPairs(m_listedCommand));
}

void TOptionsDialog::KeyChosen() {
    QListWidgetItem* item = m_keysBox->currentItem();
    m_currentPair = item ? TKeyAssignments::ParseKeyText(ToAnsi(item->text())) : TKeyPair{};
}

void TOptionsDialog::LeaveKeyList() {
    if (!m_models || m_listedCommand < 0) return;
    m_models->keys.Leave(m_listedCommand);
}

bool TOptionsDialog::RunKeyAssign(int mode, TKeyPair& pair) {
    TKeyAssignDialog dialog(this);
    return dialog.Execute(pair.first, pair.second, static_cast<TKeyAssignWizard::TMode>(mode),
                          TKeyAssignWizard::kStep2Text, TKeyAssignWizard::kStep1Text,
                          m_models->keys.Description(m_listedCommand));
}

void TOptionsDialog::AddKeyClick() {
    if (m_listedCommand < 0) return;
    TKeyPair pair;
    if (!RunKeyAssign(TKeyAssignWizard::kAdd, pair)) return;
    m_models->keys.Add(m_listedCommand, pair);
    ListKeys(static_cast<int>(m_models->keys.Pairs(m_listedCommand).size()) - 1);
}

void TOptionsDialog::EditKeyClick() {
    if (m_listedCommand < 0) return;
    const std::vector<TKeyPair>& pairs = m_models->keys.Pairs(m_listedCommand);
    TKeyPair old = m_currentPair;
    auto found = std::find_if(pairs.begin(), pairs.end(), [&old](const TKeyPair& pair) {
        return pair.first == old.first && pair.second == old.second;
    });
    if (found == pairs.end()) return;
    int row = static_cast<int>(found - pairs.begin());
    TKeyPair edited = *found;
    if (!RunKeyAssign(TKeyAssignWizard::kEdit, edited)) return;
    m_models->keys.Replace(m_listedCommand, old, edited);
    ListKeys(row);
}

void TOptionsDialog::DeleteKeyClick() {
    if (m_listedCommand < 0) return;
    int row = m_keysBox->currentRow();
    m_models->keys.Delete(m_listedCommand, m_currentPair);
    ListKeys(std::max(row, 0));
}

} // namespace quarno
