// Breakpoints and the code-break marker: line-start positions painted with
// their own colours and gutter glyph, that follow their lines as the text is
// edited.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarno {

class TLP_Breakpoints;

class TLP_BreakpointData {
public:
    int position = 0; // start of the line
    int active = 1;
    int32_t value1 = 0;
    int32_t value2 = 0;
    std::string text;

    bool Enabled() const { return m_enabled; }
    // Raises the list's OnStateChange when the flag changes.
    void SetEnabled(bool enabled);
    TLP_Breakpoints* Owner() const { return m_owner; }

private:
    friend class TLP_Breakpoints;
    friend class TLP_CodeBreak;
    TLP_Breakpoints* m_owner = nullptr;
    bool m_enabled = true;
};

// What painting needs for a line with a breakpoint.
struct TBreakpointLook {
    int glyph = 0;
    int32_t textColor = 0;
    int32_t backColor = 0;
};

class TLP_Breakpoints {
public:
    TLP_Breakpoints();
    virtual ~TLP_Breakpoints();
    TLP_Breakpoints(const TLP_Breakpoints&) = delete;
    TLP_Breakpoints& operator=(const TLP_Breakpoints&) = delete;

    std::function<void(TLP_BreakpointData&)> OnFree;        // before an item is destroyed
    std::function<void(TLP_BreakpointData&)> OnStateChange; // its enabled flag changed

    TBreakpointLook enabledLook{11, 16777215, 255};
    TBreakpointLook disabledLook{12, 65535, 32768};

    TLP_BreakpointData* Add(int position);
    void Remove(TLP_BreakpointData* item);
    // The breakpoint at exactly this line-start position, or null.
    TLP_BreakpointData* Find(int position);
    int Count() const { return static_cast<int>(m_items.size()); }
    TLP_BreakpointData* Item(int index) { return m_items[static_cast<size_t>(index)].get(); }
    void Clear();
    bool Changed() const { return m_changed; }
    void ResetChanged() { m_changed = false; }

    // Whether a breakpoint starts this line, and how to paint it.
    virtual bool LineLook(int lineStart, TBreakpointLook& look);

    // Text of count characters was inserted at position.
    virtual void ShiftForInsert(int position, int count);
    // [position, position + count) was deleted; lineEnd gives, for a line
    // start, the position after its line break (as it was before the edit).
    virtual void ShiftForDelete(int position, int count, const std::function<int(int)>& lineEnd);
    // Moves every item to the start of the line that holds it.
    virtual void SnapToLines(const std::function<int(int)>& lineStart);

protected:
    friend class TLP_BreakpointData;
    void Destroy(size_t index);
    std::vector<std::unique_ptr<TLP_BreakpointData>> m_items;
    bool m_sorted = true;
    bool m_changed = false;

private:
    void Sort();
};

// The execution-point line: one marker, painted while it is enabled; deleting
// its line disables it instead of destroying it.
class TLP_CodeBreak : public TLP_Breakpoints {
public:
    TLP_CodeBreak();
    TLP_BreakpointData& Data() { return *m_items.front(); }
    void Set(int lineStart);

    bool LineLook(int lineStart, TBreakpointLook& look) override;
    void ShiftForDelete(int position, int count, const std::function<int(int)>& lineEnd) override;
};

} // namespace quarno
