// The colour precedence of painted runs.
#include "core/settings/RunColors.h"

#include "core/settings/TLP_Settings.h"

namespace quarno {

namespace {
constexpr int32_t kSystemWindow = static_cast<int32_t>(0x80000005);
} // namespace

TRunLook StyleLook(const TLP_Settings& settings, uint8_t style) {
    const TLP_Style& own = settings.Style(style);
    const TLP_Style& base = settings.Style(0);
    TRunLook look{own.textColor, own.backColor, own.fontStyle};
    if (own.textDefault)
        look.text = style != 0 && !base.textDefault ? base.textColor : colors::WindowText;
    if (own.backDefault)
        look.back = style != 0 && !base.backDefault ? base.backColor : kSystemWindow;
    return look;
}

TRunLook RunLook(const TLP_Settings& settings, uint8_t token, bool selected,
                 const TLineLook& line) {
    bool highlight = settings.HasOption(smoSyntaxHighlight);
    TRunLook look = StyleLook(settings, highlight ? settings.TokenStyle(token) : 0);
    if (line.monoPrint) return {colors::Black, colors::White, look.fontStyle};
    if (line.breakpoint) {
        if (selected) return {line.breakBack, line.breakText, look.fontStyle};
        return {line.breakText, line.breakBack, look.fontStyle};
    }
    if (selected) {
        look.text = settings.SelTextDefault() ? colors::HighlightText : settings.SelTextColor();
        look.back = settings.SelBackDefault() ? colors::Highlight : settings.SelTextBack();
        return look;
    }
    if (!highlight) return look;
    if (line.lineText != -1) look.text = line.lineText;
    if (line.lineBack != -1) look.back = line.lineBack;
    return look;
}

} // namespace quarno
