// The choice between the ORLA programmer and the user's own one.
#include "core/toolchain/TProgrammerChoice.h"

#include "core/toolchain/CommandLines.h"
#include "core/toolchain/TExternalTool.h"

namespace quarno {

void TProgrammerChoice::ApplyStoredType(const std::string& type) {
    if (type == "ORLA") {
        m_orlaMarked = true;
        m_extMarked = false;
    } else if (type == "OTHER") {
        m_orlaMarked = false;
        m_extMarked = true;
    }
}

void TProgrammerChoice::Choose(TProgrammerKind kind, TProfileFile& ini) {
    m_orlaMarked = kind == TProgrammerKind::pkOrla;
    m_extMarked = !m_orlaMarked;
    ini.WriteString("PROGRAMMER", "TYPE", m_orlaMarked ? "ORLA" : "OTHER");
}

std::optional<TLaunchPlan> TProgrammerChoice::PlanProgram(const TProfileFile& ini,
                                                          const std::string& hexPath,
                                                          const std::string& device,
                                                          const TRunPathDialog& runDialog) const {
    if (m_orlaMarked) {
        std::string path = ini.ReadString("ORLA", "PATHNAME", "");
        if (path.empty() && runDialog) {
            runDialog(TPathDialog::pdOrla);
            path = ini.ReadString("ORLA", "PATHNAME", "");
        }
        return TLaunchPlan{path, OrlaArguments(hexPath, device), OrlaArgv(hexPath, device), false};
    }
    if (m_extMarked) {
        TExternalTool tool = ReadExternalTool(ini, kProgrammerSection);
        if (tool.Path.empty() && runDialog) {
            runDialog(TPathDialog::pdProgrammer);
            tool = ReadExternalTool(ini, kProgrammerSection);
        }
        return TLaunchPlan{tool.Path, TemplateArguments(tool.CmdLine, hexPath, device),
                           TemplateArgv(tool.CmdLine, hexPath, device), false};
    }
    return std::nullopt;
}

} // namespace quarno
