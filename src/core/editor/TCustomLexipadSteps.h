// Scope guards of the editing engine: one OnChange per step, and compound
// undo groups opened and closed around a block of edits.
#pragma once

#include "editor/TCustomLexipad.h"

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

class TCustomLexipad::UndoGroupGuard {
public:
    UndoGroupGuard(TCustomLexipad& owner, int code) : m_owner(owner), m_code(code) {
        m_owner.BeginUndoGroup(code);
    }
    ~UndoGroupGuard() { m_owner.EndUndoGroup(m_code); }
    UndoGroupGuard(const UndoGroupGuard&) = delete;
    UndoGroupGuard& operator=(const UndoGroupGuard&) = delete;

private:
    TCustomLexipad& m_owner;
    int m_code;
};

} // namespace quarno
