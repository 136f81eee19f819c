// The rules of the options page.
#include "core/options/TOptionsPageModel.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/lexicon/ShortCuts.h"

#include <algorithm>

namespace quarno {

namespace {

constexpr int kSmallMax = 199;

// 0..199 as typed, anything else 1.
int SmallValue(std::string_view text) {
    int value = 0;
    if (!TryParseInt(text, value) || value < 0 || value > kSmallMax) return 1;
    return value;
}

template <typename Apply, typename Read>
TFieldResult TakeOrRestore(std::string_view text, Apply apply, Read read) {
    try {
        apply(text);
    } catch (const Exception& error) {
        return {read(), error.what()};
    }
    return {read(), ""};
}

} // namespace

int StrToInt(std::string_view text) {
    int value = 0;
    if (!TryParseInt(text, value))
        throw EConvertError(Format("'%s' is not a valid integer value", std::string(text)));
    return value;
}

bool TOptionsPageModel::Checked(TLexipadOption option) const {
    return m_preview.HasOption(static_cast<uint32_t>(option));
}

void TOptionsPageModel::SetChecked(TLexipadOption option, bool on) {
    uint32_t bit = static_cast<uint32_t>(option);
    m_preview.SetOptions(on ? m_preview.Options() | bit : m_preview.Options() & ~bit);
}

bool TOptionsPageModel::SmartTabEnabled() const {
    return !Checked(smoWordWrap);
}

bool TOptionsPageModel::CaretAfterEOLEnabled() const {
    return m_preview.Metrics().FixedPitch();
}

std::string TOptionsPageModel::GutterChanged(std::string_view text) {
    m_preview.SetGutter(SmallValue(text));
    m_preview.SettingsChanged();
    return GutterText();
}

std::string TOptionsPageModel::RightMarginChanged(std::string_view text) {
    m_preview.SetRightMargin(SmallValue(text));
    m_preview.SettingsChanged();
    return RightMarginText();
}

std::string TOptionsPageModel::Stepped(std::string_view text, int delta) {
    int value = 0;
    if (!TryParseInt(text, value)) return "1";
    return std::to_string(std::clamp(value + delta, 0, kSmallMax));
}

TFieldResult TOptionsPageModel::WrapColumnLeft(std::string_view text) {
    return TakeOrRestore(
        text,
        [this](std::string_view typed) {
            m_preview.SetWrapAtColumn(static_cast<uint16_t>(StrToInt(typed)));
            m_preview.SettingsChanged();
        },
        [this] { return WrapColumnText(); });
}

TFieldResult TOptionsPageModel::IndentStepLeft(std::string_view text) {
    return TakeOrRestore(
        text,
        [this](std::string_view typed) {
            m_preview.SetIndentStep(static_cast<uint8_t>(StrToInt(typed)));
        },
        [this] { return IndentStepText(); });
}

TFieldResult TOptionsPageModel::TabColumnsLeft(std::string_view text) {
    return TakeOrRestore(
        text,
        [this](std::string_view typed) {
            m_preview.Settings().SetTabColumns(typed);
            m_preview.SettingsChanged();
        },
        [this] { return TabColumnsText(); });
}

TFieldResult TOptionsPageModel::TabStopLeft(std::string_view text) {
    return TakeOrRestore(
        text,
        [this](std::string_view typed) {
            m_preview.Settings().SetTabDefault(StrToInt(typed));
            m_preview.SettingsChanged();
        },
        [this] { return TabStopText(); });
}

std::string TOptionsPageModel::GutterText() const {
    return std::to_string(m_preview.Gutter());
}

std::string TOptionsPageModel::RightMarginText() const {
    return std::to_string(m_preview.RightMargin());
}

std::string TOptionsPageModel::WrapColumnText() const {
    return std::to_string(m_preview.WrapAtColumn());
}

std::string TOptionsPageModel::IndentStepText() const {
    return std::to_string(m_preview.IndentStep());
}

std::string TOptionsPageModel::TabColumnsText() const {
    return m_preview.Settings().TabColumnsText();
}

std::string TOptionsPageModel::TabStopText() const {
    return std::to_string(m_preview.Settings().TabDefault());
}

bool TOptionsPageModel::PassesKey(TNumberFieldKind kind, uint16_t key) {
    if (key == vk::Tab || key == vk::Return || key == vk::Escape) return true;
    if (key >= '0' && key <= '9') return kind == TNumberFieldKind::Wide || key <= '1';
    switch (key) {
    case vk::Back:
    case vk::Left:
    case vk::Right:
    case vk::Delete: return true;
    case vk::Insert: return kind == TNumberFieldKind::Small;
    case vk::Home:
    case vk::End: return kind == TNumberFieldKind::Wide;
    default: return false;
    }
}

} // namespace quarno
