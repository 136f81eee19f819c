// The window shown while the compiler runs.
#include "qt/dialogs/TDummy_Virtual_Form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace quarno {

namespace {

QLabel* Band(const char* text, int height, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: maroon;"));
    if (height > 0) label->setFixedHeight(height);
    return label;
}

} // namespace

TDummy_Virtual_Form::TDummy_Virtual_Form(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Dummy_Virtual_Form"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(211, 96);
    setStyleSheet(QStringLiteral("background: silver;"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(Band("", 33, this));
    box->addWidget(Band("Initiating Virtual Machine", 0, this), 1);
    box->addWidget(Band("Please Wait", 41, this));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // Enabled only while a compile is being waited for.
    setEnabled(false);
}

} // namespace quarno
