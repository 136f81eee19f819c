// The choice among the four bootloaders (standard, infrared, Fernwick, the
// user's own): menu marks, the infrared item's availability, persistence in
// BOOTLOADER/TYPE and the Download command's plan with its fallback.
#pragma once

#include "core/base/TProfileFile.h"
#include "core/toolchain/TLaunchPlan.h"
#include "core/toolchain/TPathDialog.h"

#include <array>
#include <optional>
#include <string>

namespace quarno {

enum class TBootloaderKind { bkStandard, bkInfrared, bkFernwick, bkOther };

inline constexpr const char* kStandardBootloaderFile = "BOOTLOAD.EXE";
inline constexpr const char* kInfraredBootloaderFile = "QNIR_BOOT.EXE";
inline constexpr const char* kInfraredFallbackMessage =
    "Cannot Find QUARNO IR bootloader\r\nDefaulting to standard bootloader.";

// What the Download command does: start a program, or show an information box
// (the infrared fallback), or nothing when no item is marked.
struct TDownloadPlan {
    std::optional<TLaunchPlan> Launch;
    std::string Information;
};

class TBootloaderChoice {
public:
    bool Marked(TBootloaderKind kind) const { return m_marks[Index(kind)]; }
    // The infrared item is hidden and disabled until first activation finds
    // its program in the INC folder.
    bool InfraredEnabled() const { return m_infraredEnabled; }
    void SetInfraredEnabled(bool enabled) { m_infraredEnabled = enabled; }

    // The TYPE value a kind is stored as.
    static const char* TypeName(TBootloaderKind kind);

    // Status refresh: a known TYPE (exact) marks exactly its item; the infrared
    // item's mark is only touched while it is enabled, so a stored "QUARNO_IR"
    // with the item disabled marks nothing. Unknown values change nothing.
    void ApplyStoredType(const std::string& type);
    // The menu handlers: mark kind, unmark the others (infrared only while
    // enabled), write BOOTLOADER/TYPE.
    void Choose(TBootloaderKind kind, TProfileFile& ini);

    // The Download command for hexPath. A missing infrared program falls back
    // to Standard (marks, item and TYPE) and returns only the message.
    TDownloadPlan PlanDownload(TProfileFile& ini, const std::string& incFolder,
                               const std::string& hexPath, const std::string& device,
                               const TRunPathDialog& runDialog);

private:
    static size_t Index(TBootloaderKind kind) { return static_cast<size_t>(kind); }
    void SetMark(TBootloaderKind kind, bool marked);
    void MarkOnly(TBootloaderKind kind);

    std::array<bool, 4> m_marks{true, false, false, false};
    bool m_infraredEnabled = false;
};

} // namespace quarno
