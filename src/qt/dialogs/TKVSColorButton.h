// A push button that paints its colour and a drop-down arrow; a click opens
// the palette of standard colours, whose "&Other" runs the colour dialog
// (through the file dialogs seam) with the button's 16 custom colours.
#pragma once

#include "core/app/TFileDialogs.h"

#include <QPointer>
#include <QPushButton>

#include <cstdint>

namespace quarno {

class TTLP_KVSColorButtonPalette;

class TKVSColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TKVSColorButton(QWidget* parent = nullptr);

    // A settings colour (0x00BBGGRR or a system colour).
    int32_t Color() const { return m_color; }
    void SetColor(int32_t color);
    const std::array<int32_t, 16>& CustomColors() const { return m_customColors; }
    // Where "&Other" asks for a colour (not owned; none: "&Other" does nothing).
    void SetColorDialogs(TFileDialogs* dialogs) { m_dialogs = dialogs; }

    // The palette while it is shown, else null.
    TTLP_KVSColorButtonPalette* Palette() const;
    void ShowPalette();
    // A palette cell was chosen / "&Other" was pressed.
    void PickColor(int32_t color);
    void ChooseOther();

signals:
    void OnColorChange(int32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t m_color = 0;
    std::array<int32_t, 16> m_customColors = TColorChoice{}.customColors;
    TFileDialogs* m_dialogs = nullptr;
    QPointer<TTLP_KVSColorButtonPalette> m_palette;
};

} // namespace quarno
