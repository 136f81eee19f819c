// The editing engine's step guard (one OnChange per step), with the
// control's scope guards its part-files use.
#pragma once

#include "core/editor/TCustomLexipad.h"
#include "core/editor/TLexipadGuards.h"

namespace quarno {

// Steps nest; OnChange is raised once when the outermost one ends.
class TCustomLexipad::ChangeStep {
public:
    explicit ChangeStep(TCustomLexipad& owner) : m_owner(owner) { ++m_owner.m_changeDepth; }
    ~ChangeStep() {
        if (--m_owner.m_changeDepth > 0) return;
        try {
            m_owner.FinishStep();
        } catch (...) {
            // A handler's failure must not escape a destructor.
        }
    }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;

private:
    TCustomLexipad& m_owner;
};

} // namespace quarno
