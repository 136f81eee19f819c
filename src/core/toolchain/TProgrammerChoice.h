// The choice between the ORLA programmer and the user's own one: the menu
// marks, their persistence in PROGRAMMER/TYPE and the Program command's plan.
#pragma once

#include "core/base/TProfileFile.h"
#include "core/toolchain/TLaunchPlan.h"
#include "core/toolchain/TPathDialog.h"

#include <optional>
#include <string>

namespace quarno {

enum class TProgrammerKind { pkOrla, pkOther };

class TProgrammerChoice {
public:
    bool OrlaMarked() const { return m_orlaMarked; }
    bool ExtMarked() const { return m_extMarked; }

    // Status refresh: "ORLA" or "OTHER" (exact) marks that item and unmarks the
    // other; any other value leaves the marks as they were.
    void ApplyStoredType(const std::string& type);
    // The menu handlers: mark kind, unmark the other, write PROGRAMMER/TYPE.
    void Choose(TProgrammerKind kind, TProfileFile& ini);

    // The Program command: the marked programmer with the HEX path. A path
    // that is not set runs its dialog and is read again. The plan never waits;
    // an empty program path is what the start then fails on.
    std::optional<TLaunchPlan> PlanProgram(const TProfileFile& ini, const std::string& hexPath,
                                           const std::string& device,
                                           const TRunPathDialog& runDialog) const;

private:
    bool m_orlaMarked = true;
    bool m_extMarked = false;
};

} // namespace quarno
