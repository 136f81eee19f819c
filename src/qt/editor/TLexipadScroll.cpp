// The editing control on screen: the scroll bars. Long documents scale the
// vertical bar so its range stays below 32000; arrows still move one line
// and pages one view, and the thumb at the bottom shows the last line.
#include "qt/editor/TLexipad.h"

#include "qt/base/CommandBoundary.h"

#include <QScrollBar>

namespace quarno {

namespace {
constexpr int kScrollRange = 32000;
} // namespace

int TLexipad::ScrollDivisor() const {
    return LineCount() / kScrollRange + 1;
}

// The top line that shows the last line in the view's last full row.
int TLexipad::MaxTopLine() const {
    int top = LineCount() - VisibleRows() + 1;
    return std::clamp(top, 0, std::max(Store().RecordCount() - 1, 0));
}

// The bar's position for the top line; the last top line is the bar's end
// even where scaling rounds it down.
int TLexipad::ScrollPositionOf(int top) const {
    const QScrollBar* bar = verticalScrollBar();
    if (top >= MaxTopLine()) return bar->maximum();
    return std::min(top / ScrollDivisor(), bar->maximum());
}

void TLexipad::SyncScrollBars() {
    if (m_syncingScrollBars) return;
    m_syncingScrollBars = true;
    bool vertical = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    bool horizontal =
        (m_scrollBars == ssHorizontal || m_scrollBars == ssBoth) && !HasOption(smoWordWrap);
    Qt::ScrollBarPolicy verticalPolicy = vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != verticalPolicy) setVerticalScrollBarPolicy(verticalPolicy);
    Qt::ScrollBarPolicy horizontalPolicy =
        horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != horizontalPolicy)
        setHorizontalScrollBarPolicy(horizontalPolicy);

    int divisor = ScrollDivisor();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, (MaxTopLine() + divisor - 1) / divisor);
    bar->setPageStep(std::max(VisibleRows() / divisor, 1));
    bar->setSingleStep(1);
    bar->setValue(ScrollPositionOf(TopLine()));

    QScrollBar* across = horizontalScrollBar();
    int longest = horizontal ? Store().LongestLine() : 0;
    across->setRange(0, std::max(longest - VisibleCols() + 1, 0));
    across->setPageStep(std::max(VisibleCols(), 1));
    across->setSingleStep(1);
    across->setValue(std::min(LeftCol(), across->maximum()));
    m_syncingScrollBars = false;
}

// Steps are taken in lines and columns, not in the bar's scaled units; the
// bar is then set to show where the view went.
void TLexipad::VerticalAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    int top = TopLine();
    int limit = std::max(MaxTopLine(), top);
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: top += 1; break;
    case QAbstractSlider::SliderSingleStepSub: top -= 1; break;
    case QAbstractSlider::SliderPageStepAdd: top += VisibleRows(); break;
    case QAbstractSlider::SliderPageStepSub: top -= VisibleRows(); break;
    case QAbstractSlider::SliderToMinimum: top = 0; break;
    case QAbstractSlider::SliderToMaximum: top = limit = MaxTopLine(); break;
    case QAbstractSlider::SliderMove: {
        int position = bar->sliderPosition();
        top = position >= bar->maximum() ? MaxTopLine() : position * ScrollDivisor();
        limit = std::max(MaxTopLine(), 0);
        break;
    }
    default: return;
    }
    RunCommand([&] { SetTopLine(std::clamp(top, 0, limit)); });
    m_syncingScrollBars = true;
    bar->setSliderPosition(ScrollPositionOf(TopLine()));
    m_syncingScrollBars = false;
    AfterInput();
}

void TLexipad::HorizontalAction(int action) {
    QScrollBar* bar = horizontalScrollBar();
    int left = LeftCol();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: left += 1; break;
    case QAbstractSlider::SliderSingleStepSub: left -= 1; break;
    case QAbstractSlider::SliderPageStepAdd: left += VisibleCols(); break;
    case QAbstractSlider::SliderPageStepSub: left -= VisibleCols(); break;
    case QAbstractSlider::SliderToMinimum: left = 0; break;
    case QAbstractSlider::SliderToMaximum: left = bar->maximum(); break;
    case QAbstractSlider::SliderMove: left = bar->sliderPosition(); break;
    default: return;
    }
    RunCommand([&] { SetLeftCol(std::clamp(left, 0, std::max(bar->maximum(), LeftCol()))); });
    m_syncingScrollBars = true;
    bar->setSliderPosition(std::min(LeftCol(), bar->maximum()));
    m_syncingScrollBars = false;
    AfterInput();
}

// The bars' own value changes (outside the actions above) move the view.
void TLexipad::scrollContentsBy(int, int) {
    if (m_syncingScrollBars) return;
    int divisor = ScrollDivisor();
    QScrollBar* bar = verticalScrollBar();
    if (bar->value() != ScrollPositionOf(TopLine()))
        SetTopLine(bar->value() >= bar->maximum() ? MaxTopLine() : bar->value() * divisor);
    QScrollBar* across = horizontalScrollBar();
    if (across->value() != std::min(LeftCol(), across->maximum())) SetLeftCol(across->value());
}

} // namespace quarno
