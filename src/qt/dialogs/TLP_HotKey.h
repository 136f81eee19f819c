// A read-only field holding one shortcut (key code plus 8192/16384/32768 for
// Shift/Ctrl/Alt, 0 for none), shown in its text form. Every key pressed in
// it, Tab, Enter and the arrows included, becomes its value with the
// modifiers held; a modifier pressed alone changes nothing.
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <optional>

namespace quarno {

class TLP_HotKey : public QLineEdit {
    Q_OBJECT
public:
    // What a key press (virtual key, TShiftBits) makes of the value; nothing
    // leaves it unchanged.
    using TPressRule = std::function<std::optional<uint16_t>(uint16_t key, uint8_t shift)>;

    explicit TLP_HotKey(QWidget* parent = nullptr);

    uint16_t HotKey() const { return m_hotKey; }
    void SetHotKey(uint16_t shortCut);
    // The rule of the field (HotKeyFromPress unless told).
    void SetPressRule(TPressRule rule) { m_rule = std::move(rule); }

signals:
    void HotKeyChanged(uint16_t shortCut);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    uint16_t m_hotKey = 0;
    TPressRule m_rule;
};

} // namespace quarno
