// A short number field with a narrow spin button.
#include "qt/dialogs/TSmallNumberEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

constexpr int kSpinWidth = 8;

// Half the field's height each, so the two stack beside it.
QToolButton* SpinButton(QWidget* parent, Qt::ArrowType arrow, const char* name, int height) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setFixedSize(kSpinWidth, height);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TSmallNumberEdit::TSmallNumberEdit(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_field = new QLineEdit(this);
    m_field->setMaxLength(3);
    m_field->setFixedWidth(m_field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    row->addWidget(m_field);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    int half = m_field->sizeHint().height() / 2;
    m_up = SpinButton(this, Qt::UpArrow, "Up", half);
    m_down = SpinButton(this, Qt::DownArrow, "Down", m_field->sizeHint().height() - half);
    spin->addWidget(m_up);
    spin->addWidget(m_down);
    row->addLayout(spin);
    row->addStretch(1);
    setFocusProxy(m_field);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

} // namespace quarno
