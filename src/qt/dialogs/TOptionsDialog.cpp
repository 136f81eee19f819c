// The editor options dialog: its frame, the working-copy protocol and OK.
#include "qt/dialogs/TOptionsDialog.h"

#include "core/app/TPrompts.h"
#include "core/highlight/TLexipadParser.h"
#include "qt/base/CommandBoundary.h"
#include "qt/dialogs/TLP_HotKey.h"
#include "qt/dialogs/TOptionsDialogModels.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quarno {

TOptionsDialog::TOptionsDialog(TPrompts& prompts, TFileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QString::fromLatin1(optionsText::kDialog));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_tabs, 1);
    m_tabs->addTab(CreateOptionsPage(), QString::fromLatin1(OptionsPageCaption(opOptions)));
    m_tabs->addTab(CreateHighlightingPage(),
                   QString::fromLatin1(OptionsPageCaption(opHighlighting)));
    m_tabs->addTab(CreateKeysPage(), QString::fromLatin1(OptionsPageCaption(opKeyAssignments)));
    m_tabs->addTab(CreateAutoCorrectPage(), QString::fromLatin1(OptionsPageCaption(opAutoCorrect)));
    m_tabs->addTab(CreateTemplatesPage(), QString::fromLatin1(OptionsPageCaption(opCodeTemplates)));
    CreateButtons();
    resize(660, 560);
}

// The models go before the previews they point at.
TOptionsDialog::~TOptionsDialog() = default;

void TOptionsDialog::CreateButtons() {
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QString::fromLatin1(optionsText::kOk), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    QPushButton* cancel =
        buttons->addButton(QString::fromLatin1(optionsText::kCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    // OK decides itself whether the dialog may close.
    connect(m_ok, &QPushButton::clicked, this, [this] { RunCommand([this] { OKButtonClick(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

TLP_Settings* TOptionsDialog::Working() const {
    return m_models ? &m_models->session.Working() : nullptr;
}

bool TOptionsDialog::Execute(TLexipadParser& parser, TOptionsPages pages) {
    m_pages = pages;
    m_models = std::make_unique<TModels>(parser, *m_preview, *m_templateEditor);
    struct TEnd {
        std::unique_ptr<TModels>& models;
        ~TEnd() { models.reset(); } // the session gives the parser back
    } end{m_models};
    m_filling = true;
    FillOptionsPage();
    FillHighlightingPage();
    FillKeysPage();
    FillAutoCorrectPage();
    FillTemplatesPage();
    m_filling = false;
    ShowPages(pages);
    bool accepted = exec() == QDialog::Accepted;
    if (accepted) m_models->session.Accept();
    return accepted;
}

void TOptionsDialog::ShowPages(TOptionsPages pages) {
    for (size_t index = 0; index < kOptionsPageOrder.size(); ++index)
        m_tabs->setTabVisible(static_cast<int>(index), (pages & kOptionsPageOrder[index]) != 0);
    TOptionsPages first = FirstOptionsPage(pages);
    for (size_t index = 0; index < kOptionsPageOrder.size(); ++index)
        if (kOptionsPageOrder[index] == first) m_tabs->setCurrentIndex(static_cast<int>(index));
}

void TOptionsDialog::Handle(const std::function<void()>& handler) {
    if (m_filling || !m_models) return;
    RunCommand(handler);
}

void TOptionsDialog::ShowError(const std::string& text) {
    m_prompts.ShowException(text);
}

// Fields that take their text when left may still hold an edit when OK is
// pressed; a refused one keeps the dialog open.
bool TOptionsDialog::CommitFields() {
    for (const TLeaveField& entry : LeaveFields())
        if (!LeaveField(entry)) return false;
    ActKeysLeft();
    HotkeyLeft();
    LeaveKeyList();
    return true;
}

void TOptionsDialog::OKButtonClick() {
    if (!m_models || !CommitFields()) return;
    try {
        TKeyboardActionContoller keys = m_models->keys.Build();
        m_models->session.Working().Keys() = keys;
    } catch (const Exception& error) {
        ShowError(error.what());
        return;
    }
    accept();
}

bool TOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (m_models && !m_filling) {
        if (FilterNumberKey(watched, event)) return true;
        if (event->type() == QEvent::FocusOut) {
            if (watched == m_keysBox) RunCommand([this] { LeaveKeyList(); });
            if (watched == m_hotkeyBox) RunCommand([this] { HotkeyLeft(); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quarno
