// Message boxes through QMessageBox.
#include "qt/base/TQtPrompts.h"

#include "qt/base/TextConversion.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace quarno {

static QMessageBox::Icon IconOf(TPromptKind kind) {
    switch (kind) {
    case TPromptKind::Error: return QMessageBox::Critical;
    case TPromptKind::Information: return QMessageBox::Information;
    case TPromptKind::Confirmation: return QMessageBox::Question;
    case TPromptKind::Warning: return QMessageBox::Warning;
    case TPromptKind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

static QMessageBox::StandardButton StandardButtonOf(TPromptButton button) {
    switch (button) {
    case TPromptButton::Ok: return QMessageBox::Ok;
    case TPromptButton::Cancel: return QMessageBox::Cancel;
    case TPromptButton::Yes: return QMessageBox::Yes;
    case TPromptButton::No: break;
    }
    return QMessageBox::No;
}

// The box's text label (the one showing its text) takes the fixed-pitch font.
static void UseFixedPitch(QMessageBox& box) {
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel* label : box.findChildren<QLabel*>())
        if (label->text() == box.text()) label->setFont(font);
}

TPromptButton TQtPrompts::Ask(TPromptKind kind, const std::string& title, const std::string& text,
                              TPromptButtons buttons) {
    return AskBox(kind, title, text, buttons, false);
}

TPromptButton TQtPrompts::AskFixedPitch(TPromptKind kind, const std::string& title,
                                        const std::string& text, TPromptButtons buttons) {
    return AskBox(kind, title, text, buttons, true);
}

TPromptButton TQtPrompts::AskBox(TPromptKind kind, const std::string& title,
                                 const std::string& text, TPromptButtons buttons, bool fixedPitch) {
    QMessageBox box(IconOf(kind), MessageText(title.empty() ? DefaultPromptTitle(kind) : title),
                    MessageText(text), QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (fixedPitch) UseFixedPitch(box);
    std::map<QAbstractButton*, TPromptButton> answers;
    std::map<TPromptButton, QPushButton*> added;
    for (TPromptButton button : ButtonsOf(buttons)) {
        added[button] = box.addButton(StandardButtonOf(button));
        answers[added[button]] = button;
    }
    box.setDefaultButton(added[DefaultButton(buttons)]);
    box.setEscapeButton(added[EscapeButton(buttons)]);
    box.exec();
    auto pressed = answers.find(box.clickedButton());
    return pressed == answers.end() ? EscapeButton(buttons) : pressed->second;
}

} // namespace quarno
