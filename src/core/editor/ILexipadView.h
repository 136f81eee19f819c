// What the editing engine asks of the window that shows it. Headless users
// (quarno-tool, tests) may leave the engine without a view.
#pragma once

namespace quarno {

class ILexipadView {
public:
    virtual ~ILexipadView() = default;
    // Paint the lines flagged for repaint, or every visible line when full.
    virtual void Repaint(bool full) = 0;
    virtual void Beep() = 0;
};

} // namespace quarno
