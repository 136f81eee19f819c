// Scope guards over an editing control: a compound undo group, and painting
// suspended, each released when the scope ends however it ends.
#pragma once

#include "core/editor/TCustomLexipad.h"

namespace quarno {

// Edits made inside the scope are undone and redone as one step.
class TUndoGroup {
public:
    TUndoGroup(TCustomLexipad& pad, int code) : m_pad(pad), m_code(code) {
        m_pad.BeginUndoGroup(code);
    }
    ~TUndoGroup() { m_pad.EndUndoGroup(m_code); }
    // Closes exactly the group it opened.
    TUndoGroup(const TUndoGroup&) = delete;
    TUndoGroup& operator=(const TUndoGroup&) = delete;

private:
    TCustomLexipad& m_pad;
    int m_code;
};

// The control paints nothing inside the scope (locks nest; the last release
// repaints). A guard made with lock false does nothing.
class TUpdateLock {
public:
    explicit TUpdateLock(TCustomLexipad& pad, bool lock = true) : m_pad(pad), m_locked(lock) {
        if (m_locked) m_pad.LockUpdate(true);
    }
    ~TUpdateLock() {
        if (m_locked) m_pad.LockUpdate(false);
    }
    // Releases exactly the lock it took.
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    TCustomLexipad& m_pad;
    bool m_locked;
};

} // namespace quarno
