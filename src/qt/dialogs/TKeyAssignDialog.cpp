// The key assignment wizard's window.
#include "qt/dialogs/TKeyAssignDialog.h"

#include "qt/base/TextConversion.h"
#include "qt/dialogs/TLP_HotKey.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr int kTextWidth = 225;
constexpr int kFieldGap = 15;
constexpr int kTitleAllowance = 60; // the title bar's icon and buttons

} // namespace

TKeyAssignDialog::TKeyAssignDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("KeyAssignDialog"));
    auto* layout = new QVBoxLayout(this);
    m_steps = new QStackedWidget(this);
    m_steps->setObjectName(QStringLiteral("WizardArea"));
    m_steps->addWidget(CreateStep(1, m_key1, m_clear1, m_step1Text));
    m_steps->addWidget(CreateStep(2, m_key2, m_clear2, m_step2Text));
    layout->addWidget(m_steps);
    CreateButtons();
    connect(m_key1, &TLP_HotKey::HotKeyChanged, this, [this](uint16_t key) { KeyChanged(1, key); });
    connect(m_key2, &TLP_HotKey::HotKeyChanged, this, [this](uint16_t key) { KeyChanged(2, key); });
}

QWidget* TKeyAssignDialog::CreateStep(int step, TLP_HotKey*& field, QPushButton*& clear,
                                      QLabel*& text) {
    auto* panel = new QWidget(m_steps);
    panel->setObjectName(QStringLiteral("Step%1Panel").arg(step));
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(kFieldGap);
    auto* label = new QLabel(FromAnsi(TKeyAssignWizard::StepLabel(step)), panel);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    text = new QLabel(panel);
    text->setObjectName(QStringLiteral("Step%1Text").arg(step));
    text->setWordWrap(true);
    text->setFixedWidth(kTextWidth);
    field = new TLP_HotKey(panel);
    field->setObjectName(QStringLiteral("Key%1").arg(step));
    clear = new QPushButton(QStringLiteral("Clear"), panel);
    clear->setObjectName(QStringLiteral("ClearKey%1Button").arg(step));
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(text, 1, 0, 2, 1);
    grid->addWidget(field, 1, 1, Qt::AlignTop);
    grid->addWidget(clear, 2, 1, Qt::AlignRight | Qt::AlignTop);
    // Entering a panel focuses its key field.
    panel->setFocusProxy(field);
    connect(clear, &QPushButton::clicked, this,
            step == 1 ? &TKeyAssignDialog::ClearKey1ButtonClick
                      : &TKeyAssignDialog::ClearKey2ButtonClick);
    return panel;
}

void TKeyAssignDialog::CreateButtons() {
    auto* bar = new QHBoxLayout;
    bar->setSpacing(8);
    bar->setContentsMargins(0, 0, 8, 0);
    bar->addStretch(1);
    m_back = new QPushButton(QStringLiteral("< Back"), this);
    m_back->setObjectName(QStringLiteral("BackButton"));
    m_next = new QPushButton(QStringLiteral("Next >"), this);
    m_next->setObjectName(QStringLiteral("NextButton"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* button : {m_back, m_next, m_cancel}) {
        button->setAutoDefault(false);
        bar->addWidget(button);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);
    connect(m_back, &QPushButton::clicked, this, &TKeyAssignDialog::BackButtonClick);
    connect(m_next, &QPushButton::clicked, this, &TKeyAssignDialog::NextButtonClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TKeyAssignDialog::Execute(uint16_t& key1, uint16_t& key2, TKeyAssignWizard::TMode mode,
                               const std::string& step2Text, const std::string& step1Text,
                               const std::string& command) {
    QString caption = FromAnsi(TKeyAssignWizard::Caption(mode, command));
    setWindowTitle(caption);
    // Wide enough for the caption, which names the command (the title bar
    // adds the application's name).
    QString shown = caption + QStringLiteral(" - ") + QGuiApplication::applicationDisplayName();
    QFont title = font();
    title.setBold(true);
    setMinimumWidth(QFontMetrics(title).horizontalAdvance(shown) + 2 * kTitleAllowance);
    m_step1Text->setText(FromAnsi(step1Text));
    m_step2Text->setText(FromAnsi(step2Text));
    m_wizard.emplace(mode, key1, key2);
    m_key1->SetHotKey(m_wizard->Key(1));
    m_key2->SetHotKey(m_wizard->Key(2));
    ShowStep(1);
    bool finished = exec() == QDialog::Accepted;
    key1 = m_key1->HotKey();
    key2 = m_key2->HotKey();
    return finished;
}

void TKeyAssignDialog::ShowStep(int step) {
    m_steps->setCurrentIndex(step - 1);
    KeyField(step)->setFocus();
    UpdateButtons();
}

void TKeyAssignDialog::KeyChanged(int step, uint16_t shortCut) {
    if (!m_wizard) return;
    m_wizard->SetKey(step, shortCut);
    UpdateButtons();
}

void TKeyAssignDialog::UpdateButtons() {
    if (!m_wizard) return;
    m_next->setText(QString::fromLatin1(m_wizard->NextCaption()));
    m_next->setEnabled(m_wizard->NextEnabled());
    m_back->setEnabled(m_wizard->BackEnabled());
    m_clear1->setEnabled(m_wizard->ClearEnabled(1));
    m_clear2->setEnabled(m_wizard->ClearEnabled(2));
}

void TKeyAssignDialog::NextButtonClick() {
    if (!m_wizard) return;
    if (m_wizard->Next()) {
        accept();
        return;
    }
    ShowStep(m_wizard->Step());
}

void TKeyAssignDialog::BackButtonClick() {
    if (!m_wizard || !m_wizard->BackEnabled()) return;
    m_wizard->Back();
    ShowStep(1);
}

void TKeyAssignDialog::ClearKey1ButtonClick() {
    m_key1->SetHotKey(0);
    m_key1->setFocus();
}

void TKeyAssignDialog::ClearKey2ButtonClick() {
    m_key2->SetHotKey(0);
    m_key2->setFocus();
}

} // namespace quarno
