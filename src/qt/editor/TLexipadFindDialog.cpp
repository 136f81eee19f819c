// The editing control's built-in find dialog.
#include "qt/editor/TLexipadFindDialog.h"

#include "core/services/TStoreSearch.h"
#include "qt/base/CommandBoundary.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/TLexipad.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TLexipadFindDialog::TLexipadFindDialog(TLexipad& pad)
    : QDialog(&pad), m_pad(pad), m_findText(Named(new QLineEdit, "FindText")),
      m_matchCase(Named(new QCheckBox(tr("Match &case")), "MatchCase")),
      m_wholeWord(Named(new QCheckBox(tr("Match &whole word only")), "WholeWord")),
      m_regExpr(Named(new QCheckBox(tr("Regular e&xpression")), "RegExpr")),
      m_up(Named(new QRadioButton(tr("&Up")), "Up")),
      m_down(Named(new QRadioButton(tr("&Down")), "Down")),
      m_findNext(Named(new QPushButton(tr("&Find Next")), "FindNextButton")),
      m_fields(new QFormLayout), m_buttons(new QVBoxLayout) {
    setWindowTitle(tr("Find"));
    setModal(false);
    m_findText->setMinimumWidth(220);
    m_fields->addRow(tr("Fi&nd what:"), m_findText);

    auto* options = new QVBoxLayout;
    options->addWidget(m_matchCase);
    options->addWidget(m_wholeWord);
    options->addWidget(m_regExpr);
    options->addStretch();
    auto* direction = new QGroupBox(tr("Direction"));
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    m_down->setChecked(true);
    auto* optionRow = new QHBoxLayout;
    optionRow->addLayout(options);
    optionRow->addWidget(direction);

    auto* left = new QVBoxLayout;
    left->addLayout(m_fields);
    left->addLayout(optionRow);
    auto* cancel = Named(new QPushButton(tr("Cancel")), "CancelButton");
    m_findNext->setDefault(true);
    m_buttons->addWidget(m_findNext);
    m_buttons->addStretch();
    m_buttons->addWidget(cancel);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(m_buttons);

    connect(m_findText, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_findNext, &QPushButton::clicked, this,
            [this] { RunCommand([this] { FindNext(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

void TLexipadFindDialog::Open(const std::string& preset, uint32_t options) {
    m_findText->setText(FromAnsi(preset));
    m_matchCase->setChecked(options & foMatchCase);
    m_wholeWord->setChecked(options & foWholeWord);
    m_regExpr->setChecked(options & foRegExpr);
    (options & foBackward ? m_up : m_down)->setChecked(true);
    show();
    raise();
    activateWindow();
    m_findText->setFocus();
    m_findText->selectAll();
}

std::string TLexipadFindDialog::SearchText() const {
    return ToAnsi(m_findText->text());
}

uint32_t TLexipadFindDialog::OptionWord() const {
    return (m_matchCase->isChecked() ? foMatchCase : 0u) |
           (m_wholeWord->isChecked() ? foWholeWord : 0u) |
           (m_regExpr->isChecked() ? foRegExpr : 0u) | (m_up->isChecked() ? foBackward : 0u);
}

bool TLexipadFindDialog::HasSearchText() const {
    return !m_findText->text().isEmpty();
}

void TLexipadFindDialog::UpdateButtons() {
    m_findNext->setEnabled(HasSearchText());
}

bool TLexipadFindDialog::FindNext() {
    std::string text = SearchText();
    if (text.empty()) return false;
    if (m_pad.Find(OptionWord() | foSearchNow, text) >= 0) return true;
    if (!m_pad.PatternFailed()) m_pad.ReportSearchFail(text);
    return false;
}

void TLexipadFindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_savedHideSelection) {
        m_savedHideSelection = m_pad.HideSelection();
        m_pad.SetHideSelection(false);
    }
}

void TLexipadFindDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (m_savedHideSelection) {
        m_pad.SetHideSelection(*m_savedHideSelection);
        m_savedHideSelection.reset();
    }
}

} // namespace quarno
