// A field holding one shortcut.
#include "qt/dialogs/TLP_HotKey.h"

#include "core/lexicon/ShortCuts.h"
#include "core/options/TKeyAssignWizard.h"
#include "qt/base/TextConversion.h"
#include "qt/editor/KeyMapping.h"

#include <QKeyEvent>

namespace quarno {

TLP_HotKey::TLP_HotKey(QWidget* parent) : QLineEdit(parent), m_rule(HotKeyFromPress) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TLP_HotKey::SetHotKey(uint16_t shortCut) {
    bool changed = shortCut != m_hotKey;
    m_hotKey = shortCut;
    setText(FromAnsi(ShortCutToText(shortCut)));
    if (changed) emit HotKeyChanged(shortCut);
}

// The field claims Tab and every shortcut for itself: they are keys to record,
// not focus moves or commands.
bool TLP_HotKey::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void TLP_HotKey::keyPressEvent(QKeyEvent* event) {
    event->accept();
    std::optional<uint16_t> value =
        m_rule(VirtualKeyOf(*event), ShiftBitsFromQt(event->modifiers()));
    if (value) SetHotKey(*value);
}

} // namespace quarno
