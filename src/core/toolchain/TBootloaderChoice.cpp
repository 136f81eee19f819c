// The choice among the four bootloaders.
#include "core/toolchain/TBootloaderChoice.h"

#include "core/base/FileUtils.h"
#include "core/toolchain/CommandLines.h"
#include "core/toolchain/TExternalTool.h"

namespace quarno {

static constexpr TBootloaderKind kAllKinds[] = {
    TBootloaderKind::bkStandard, TBootloaderKind::bkInfrared, TBootloaderKind::bkFernwick,
    TBootloaderKind::bkOther};

const char* TBootloaderChoice::TypeName(TBootloaderKind kind) {
    switch (kind) {
    case TBootloaderKind::bkStandard: return "STANDARD";
    case TBootloaderKind::bkInfrared: return "QUARNO_IR";
    case TBootloaderKind::bkFernwick: return "FERNWICK";
    case TBootloaderKind::bkOther: return "OTHER";
    }
    return "STANDARD";
}

void TBootloaderChoice::SetMark(TBootloaderKind kind, bool marked) {
    if (kind == TBootloaderKind::bkInfrared && !m_infraredEnabled) return;
    m_marks[Index(kind)] = marked;
}

void TBootloaderChoice::MarkOnly(TBootloaderKind chosen) {
    for (TBootloaderKind kind : kAllKinds)
        SetMark(kind, kind == chosen);
}

void TBootloaderChoice::ApplyStoredType(const std::string& type) {
    for (TBootloaderKind kind : kAllKinds)
        if (type == TypeName(kind)) {
            MarkOnly(kind);
            return;
        }
}

void TBootloaderChoice::Choose(TBootloaderKind kind, TProfileFile& ini) {
    MarkOnly(kind);
    ini.WriteString("BOOTLOADER", "TYPE", TypeName(kind));
}

static TLaunchPlan HexOnlyLaunch(const std::string& program, const std::string& hexPath,
                                 bool wait) {
    return {program, hexPath, {hexPath}, wait};
}

TDownloadPlan TBootloaderChoice::PlanDownload(TProfileFile& ini, const std::string& incFolder,
                                              const std::string& hexPath, const std::string& device,
                                              const TRunPathDialog& runDialog) {
    if (Marked(TBootloaderKind::bkStandard))
        return {HexOnlyLaunch(incFolder + kStandardBootloaderFile, hexPath, true), ""};
    if (Marked(TBootloaderKind::bkInfrared)) {
        std::string program = incFolder + kInfraredBootloaderFile;
        if (FileExists(program)) return {HexOnlyLaunch(program, hexPath, true), ""};
        m_marks[Index(TBootloaderKind::bkInfrared)] = false;
        m_infraredEnabled = false;
        m_marks[Index(TBootloaderKind::bkStandard)] = true;
        ini.WriteString("BOOTLOADER", "TYPE", TypeName(TBootloaderKind::bkStandard));
        return {std::nullopt, kInfraredFallbackMessage};
    }
    if (Marked(TBootloaderKind::bkFernwick)) {
        std::string path = ini.ReadString("FERNWICK", "PATHNAME", "");
        if (path.empty() && runDialog) {
            runDialog(TPathDialog::pdFernwick);
            path = ini.ReadString("FERNWICK", "PATHNAME", "");
        }
        return {HexOnlyLaunch(path, hexPath, false), ""};
    }
    if (Marked(TBootloaderKind::bkOther)) {
        TExternalTool tool = ReadExternalTool(ini, kBootloaderSection);
        if (tool.Path.empty() && runDialog) {
            runDialog(TPathDialog::pdBootloader);
            tool = ReadExternalTool(ini, kBootloaderSection);
        }
        return {TLaunchPlan{tool.Path, TemplateArguments(tool.CmdLine, hexPath, device),
                            TemplateArgv(tool.CmdLine, hexPath, device), false},
                ""};
    }
    return {};
}

} // namespace quarno
