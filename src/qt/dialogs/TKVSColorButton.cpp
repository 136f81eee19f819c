// A push button that picks a colour.
#include "qt/dialogs/TKVSColorButton.h"

#include "qt/base/CommandBoundary.h"
#include "qt/dialogs/TTLP_KVSColorButtonPalette.h"
#include "qt/editor/LexipadColors.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace quarno {

namespace {

constexpr int kArrowWidth = 12;

} // namespace

TKVSColorButton::TKVSColorButton(QWidget* parent) : QPushButton(parent) {
    resize(45, 22);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { RunCommand([this] { ShowPalette(); }); });
}

void TKVSColorButton::SetColor(int32_t color) {
    m_color = color;
    update();
}

TTLP_KVSColorButtonPalette* TKVSColorButton::Palette() const {
    return m_palette && m_palette->isVisible() ? m_palette.data() : nullptr;
}

void TKVSColorButton::ShowPalette() {
    if (m_palette) m_palette->close();
    m_palette = new TTLP_KVSColorButtonPalette(this);
    connect(m_palette, &TTLP_KVSColorButtonPalette::ColorPicked, this,
            [this](int32_t color) { RunCommand([this, color] { PickColor(color); }); });
    connect(m_palette, &TTLP_KVSColorButtonPalette::OtherClicked, this,
            [this] { RunCommand([this] { ChooseOther(); }); });
    m_palette->Popup(*this);
}

void TKVSColorButton::PickColor(int32_t color) {
    SetColor(color);
    emit OnColorChange(color);
}

void TKVSColorButton::ChooseOther() {
    if (!m_dialogs) return;
    TColorChoice initial;
    initial.color = ColorValue(LexipadColor(m_color, palette()));
    initial.customColors = m_customColors;
    std::optional<TColorChoice> chosen = m_dialogs->ChooseColor(initial);
    if (!chosen) return;
    m_customColors = chosen->customColors;
    PickColor(chosen->color);
}

void TKVSColorButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    QRect swatch = rect().adjusted(5, 5, -5 - kArrowWidth, -5);
    QColor fill = LexipadColor(m_color, palette());
    if (!isEnabled()) fill = palette().color(QPalette::Disabled, QPalette::Button);
    painter.fillRect(swatch, fill);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = QRect(width() - 5 - kArrowWidth, 0, kArrowWidth, height());
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

} // namespace quarno
