// The ASCII table window.
#include "qt/viewers/TASCII.h"

#include "core/viewers/AsciiTableText.h"
#include "qt/base/TextConversion.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarno {

namespace {

QFont TableFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(10);
    return font;
}

QString TableText() {
    std::string text;
    for (const std::string& line : AsciiTableLines())
        text += line + '\n';
    text.pop_back(); // no empty line after the last one
    return FromAnsi(text);
}

} // namespace

TASCII::TASCII(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ASCII"));
    setWindowTitle(QStringLiteral("ASCII Table"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ASCIIText"));
    m_text->setReadOnly(true); // selectable and copyable, never edited
    m_text->setFont(TableFont());
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setPlainText(TableText());
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(MakeHeaderStrip());
    box->addWidget(m_text, 1);
    box->addWidget(MakeButtonStrip());
    move(737, 203);
    setFixedSize(257, 222);
    // Enabled each time the View menu shows it.
    setEnabled(false);
}

QWidget* TASCII::MakeHeaderStrip() {
    auto* strip = new QWidget(this);
    strip->setFixedHeight(25);
    m_header = new QLineEdit(QString::fromLatin1(kAsciiTableHeader), strip);
    m_header->setObjectName(QStringLiteral("Edit1"));
    m_header->setFrame(false);
    m_header->setFont(TableFont());
    m_header->setStyleSheet(QStringLiteral("background: palette(button);"));
    auto* box = new QVBoxLayout(strip);
    box->setContentsMargins(2, 2, 2, 2);
    box->addWidget(m_header);
    return strip;
}

QWidget* TASCII::MakeButtonStrip() {
    auto* strip = new QWidget(this);
    strip->setFixedHeight(49);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), strip);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_cancel->setGeometry(96, 16, 73, 25);
    connect(m_cancel, &QPushButton::clicked, this, &TASCII::CancelButtonClick);
    return strip;
}

void TASCII::ShowTable() {
    setEnabled(true);
    setVisible(true);
}

void TASCII::CancelButtonClick() {
    setVisible(false);
    setEnabled(false);
    close();
}

} // namespace quarno
