// Text metrics of a Qt font.
#include "qt/editor/TLexipadMetrics.h"

#include "qt/base/TextConversion.h"

namespace quarno {

namespace {
// What a font that reports nothing usable is taken to measure.
constexpr int kFallbackWidth = 7;
constexpr int kFallbackHeight = 17;
} // namespace

TLexipadMetrics::TLexipadMetrics() : m_regular(m_font) {
    SetFont(QFont(QStringLiteral("Courier New"), 10));
}

void TLexipadMetrics::SetFont(const QFont& font) {
    m_font = font;
    m_regular = QFontMetrics(font);
    QFont boldItalic(font);
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    QFontMetrics measured(boldItalic);
    m_lineHeight = measured.height() + std::max(measured.leading(), 0) + 1;
    if (m_lineHeight <= 1) m_lineHeight = kFallbackHeight;
    m_ascent = measured.ascent();
    m_fixedPitch = measured.horizontalAdvance(QLatin1Char('i')) ==
                   measured.horizontalAdvance(QLatin1Char('W'));
    m_cellWidth = m_regular.horizontalAdvance(QLatin1Char('W'));
    // A fixed-pitch font draws every character in a "W" cell, so columns
    // count in that cell too; the caret then always meets the text.
    m_charWidth = m_fixedPitch ? m_cellWidth : measured.averageCharWidth();
    if (m_charWidth <= 0) m_charWidth = m_cellWidth = kFallbackWidth;
    if (m_cellWidth <= 0) m_cellWidth = m_charWidth;
}

int TLexipadMetrics::TextWidth(std::string_view text) const {
    if (m_fixedPitch) return static_cast<int>(text.size()) * m_cellWidth;
    return m_regular.horizontalAdvance(FromAnsi(text.data(), text.size()));
}

void TLexipadMetrics::SetGutterFont(const QFont& font) {
    QFontMetrics metrics(font);
    int widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
    m_gutterDigitWidth = widest;
}

} // namespace quarno
