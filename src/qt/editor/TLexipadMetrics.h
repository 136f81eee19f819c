// The editing engine's text metrics measured with a Qt font: line height and
// character width from the font in bold italic; fixed pitch when "i" and "W"
// are equally wide, and then every character takes the cell of a "W".
#pragma once

#include "core/editor/ITextMetrics.h"

#include <QFont>
#include <QFontMetrics>

namespace quarno {

class TLexipadMetrics : public ITextMetrics {
public:
    TLexipadMetrics();
    void SetFont(const QFont& font);
    const QFont& Font() const { return m_font; }
    void SetGutterFont(const QFont& font);
    int GutterDigitWidth() const override { return m_gutterDigitWidth; }

    int CharWidth() const override { return m_charWidth; }
    int LineHeight() const override { return m_lineHeight; }
    bool FixedPitch() const override { return m_fixedPitch; }
    int TextWidth(std::string_view text) const override;

    // The cell each character is drawn in with a fixed-pitch font.
    int CellWidth() const { return m_cellWidth; }
    // Baseline offset of text within a line.
    int Ascent() const { return m_ascent; }

private:
    QFont m_font;
    QFontMetrics m_regular;
    int m_charWidth = 7;
    int m_lineHeight = 17;
    int m_cellWidth = 7;
    int m_ascent = 13;
    bool m_fixedPitch = true;
    int m_gutterDigitWidth = 0;
};

} // namespace quarno
