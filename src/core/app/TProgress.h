// The progress seam: long work shows how far it is and can be stopped by the
// user; tests script when it stops.
#pragma once

#include <string>

namespace quarno {

class TProgress {
public:
    virtual ~TProgress() = default;
    // Shows text with steps up to maximum (0: how many is not known).
    virtual void Begin(const std::string& text, int maximum) = 0;
    // Reports the step reached; false when the user asked to stop.
    virtual bool Step(int value) = 0;
    virtual void End() = 0;
};

// Progress nobody sees, never stopped: for owners without a window.
class TSilentProgress : public TProgress {
public:
    void Begin(const std::string&, int) override {}
    bool Step(int) override { return true; }
    void End() override {}
};

} // namespace quarno
