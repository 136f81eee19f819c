// The go-to-line dialog.
#include "qt/dialogs/TGotoLineDialog.h"

#include "core/app/TPrompts.h"
#include "qt/base/TextConversion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarno {

TGotoLineDialog::TGotoLineDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_lineNumberBox(new QLineEdit(this)) {
    setObjectName(QStringLiteral("GotoLineDialog"));
    setWindowTitle(QStringLiteral("Go to line number"));
    m_lineNumberBox->setObjectName(QStringLiteral("LineNumberBox"));
    setMinimumWidth(280); // room for the caption
    auto* label = new QLabel(QStringLiteral("&Enter new line number"), this);
    label->setBuddy(m_lineNumberBox);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* main = new QVBoxLayout(this);
    main->addWidget(label);
    main->addWidget(m_lineNumberBox);
    main->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TGotoLineDialog::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TGotoLineDialog::Open(const TLineRange& range, TPrompts& prompts) {
    m_range = range;
    m_prompts = &prompts;
    m_lineNumberBox->setText(QString::number(range.current));
    m_lineNumberBox->selectAll();
    m_lineNumberBox->setFocus();
    open();
}

// Anything but a number in the range is refused with a warning, and the
// box's text is selected again for the next try.
void TGotoLineDialog::OKButtonClick() {
    std::optional<int> line = ParseLineNumber(ToAnsi(m_lineNumberBox->text()), m_range);
    if (!line) {
        if (m_prompts) m_prompts->Show(TPromptKind::Warning, LineRangeMessage(m_range));
        m_lineNumberBox->selectAll();
        m_lineNumberBox->setFocus();
        return;
    }
    m_range.current = *line;
    accept();
}

} // namespace quarno
