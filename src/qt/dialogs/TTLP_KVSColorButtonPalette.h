// The colour button's drop-down: a borderless window of 20 colour cells and
// an "&Other" button, placed below its button (above it when there is no
// room) and closed when a choice is made or the user clicks elsewhere.
#pragma once

#include <QFrame>

#include <cstdint>

class QPushButton;
class QToolButton;

namespace quarno {

class TTLP_KVSColorButtonPalette : public QFrame {
    Q_OBJECT
public:
    explicit TTLP_KVSColorButtonPalette(QWidget* parent = nullptr);

    // Shows the palette next to a button, inside the screen's work area.
    void Popup(QWidget& button);
    // The cell of standard colour index 0..19; the "&Other" button.
    QToolButton* Cell(int index) const;
    QPushButton* OtherButton() const { return m_other; }

signals:
    void ColorPicked(int32_t color);
    void OtherClicked();

private:
    QPushButton* m_other = nullptr;
};

} // namespace quarno
