// Message boxes through QMessageBox.
#include "qt/base/TQtPrompts.h"

#include "qt/base/TextConversion.h"

#include <QApplication>
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

TPromptButton TQtPrompts::Ask(TPromptKind kind, const std::string& title, const std::string& text,
                              TPromptButtons buttons) {
    QMessageBox box(IconOf(kind), MessageText(title.empty() ? DefaultPromptTitle(kind) : title),
                    MessageText(text), QMessageBox::NoButton, QApplication::activeWindow());
    std::map<QAbstractButton*, TPromptButton> answers;
    std::map<TPromptButton, QPushButton*> added;
    for (TPromptButton button : ButtonsOf(buttons)) {
        added[button] = box.addButton(StandardButtonOf(button));
        answers[added[button]] = button;
    }
    box.setDefaultButton(added[ButtonsOf(buttons).front()]);
    box.setEscapeButton(added[EscapeButton(buttons)]);
    box.exec();
    auto pressed = answers.find(box.clickedButton());
    return pressed == answers.end() ? EscapeButton(buttons) : pressed->second;
}

} // namespace quarno
