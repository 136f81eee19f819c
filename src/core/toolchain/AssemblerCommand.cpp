// Re-Assemble with MPASMWIN.EXE or gpasm.
#include "core/toolchain/AssemblerCommand.h"

#include "core/base/FileUtils.h"
#include "core/base/ProgramSearch.h"
#include "core/base/StringUtils.h"
#include "core/toolchain/CommandLines.h"

#include <cstdio>

namespace quarno {

// MPASMWIN's switches and what gpasm is given for them:
//   /aINHX8M (and MPASMWIN's default format, so both commands)
//                     --hex-format=inhx8m  8-bit merged HEX, the form the loader reads
//   /e+ error file    --error              writes base.err
//   /l+ listing file  (gpasm's default)    writes base.lst
//   /x- no cross-reference file            gpasm writes none
//   /w2 errors only   --warning=2
//   /c- labels in any case                 --ignore-case
//   /m- no macro expansion in the listing  --expand=OFF
//   /q  no progress window                 gpasm shows none; its -q would also
//                                          leave the error file empty, so it is not given
std::vector<std::string> GpasmArgv(const std::string& asmPath) {
    return {"--hex-format=inhx8m", "--error",      "--warning=2",
            "--ignore-case",       "--expand=OFF", asmPath};
}

TAssemblerRun AssemblerLaunch(const std::string& incFolder, const std::string& asmPath,
                              bool hexFormatSwitch, const std::string& gpasmPath) {
    std::string mpasm = FindFileIgnoringCase(incFolder + kAssemblerFileName);
    if (FileExists(mpasm) || gpasmPath.empty()) {
        TLaunchPlan plan{mpasm, AssemblerArguments(asmPath, hexFormatSwitch),
                         AssemblerArgv(asmPath, hexFormatSwitch), true};
        return {TAssemblerKind::Mpasm, plan, !FileExists(mpasm)};
    }
    std::vector<std::string> argv = GpasmArgv(asmPath);
    std::string text;
    for (const std::string& word : argv)
        text += (text.empty() ? "" : " ") + word;
    return {TAssemblerKind::Gpasm, TLaunchPlan{gpasmPath, text, argv, true}, false};
}

std::string FinishGpasmOutputs(const std::string& asmPath) {
    std::string errorFile = ChangeFileExt(asmPath, ".err");
    std::string errors = FileExists(errorFile) ? ReadWholeFile(errorFile) : std::string();
    bool failed = !std::string_view(Trim(errors)).empty();
    for (const char* ext : {".hex", ".lst", ".err", ".cod"}) {
        std::string written = ChangeFileExt(asmPath, ext);
        if (!FileExists(written)) continue;
        if (failed && std::string(ext) == ".hex") continue;
        std::rename(written.c_str(), ChangeFileExt(asmPath, UpperCase(ext)).c_str());
    }
    return failed ? errors : std::string();
}

} // namespace quarno
