// The go-to-page dialog of the preview window.
#include "qt/print/TGoPageForm.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quarno {

TGoPageForm::TGoPageForm(QWidget* parent) : QDialog(parent), m_pageNum(new QSpinBox) {
    setObjectName(QStringLiteral("GoPageForm"));
    setWindowTitle(QStringLiteral("Go to Page Number"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    m_pageNum->setObjectName(QStringLiteral("PageNum"));
    m_pageNum->setMinimum(1);
    auto* frame = new QGroupBox;
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_pageNum);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace quarno
