// How the editing engine measures text: the window implements it with its
// font, tests with a fixed-pitch stub.
#pragma once

#include <string_view>

namespace quarno {

class ITextMetrics {
public:
    virtual ~ITextMetrics() = default;
    virtual int CharWidth() const = 0; // column arithmetic (average character width)
    virtual int LineHeight() const = 0;
    virtual bool FixedPitch() const = 0;
    // Pixels a run of characters (no TABs) takes; only asked when not fixed-pitch.
    virtual int TextWidth(std::string_view text) const = 0;
    // Pixels of the widest digit in the gutter's font; 0 when the gutter's
    // numbers are not drawn with measured text (the gutter then keeps its width).
    virtual int GutterDigitWidth() const { return 0; }
};

// The measures used until a window supplies its own.
class TFixedMetrics : public ITextMetrics {
public:
    TFixedMetrics(int charWidth = 7, int lineHeight = 17)
        : m_charWidth(charWidth), m_lineHeight(lineHeight) {}
    int CharWidth() const override { return m_charWidth; }
    int LineHeight() const override { return m_lineHeight; }
    bool FixedPitch() const override { return true; }
    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * m_charWidth;
    }

private:
    int m_charWidth;
    int m_lineHeight;
};

} // namespace quarno
