// Re-assembling the listing: Microchip's MPASMWIN.EXE from the INC folder when
// it is there, else gputils' gpasm with the same meaning, its files given the
// names the Windows assembler leaves.
#pragma once

#include "core/toolchain/TLaunchPlan.h"

#include <string>
#include <vector>

namespace quarno {

inline constexpr const char* kAssemblerFileName = "MPASMWIN.EXE";
inline constexpr const char* kGpasmProgram = "gpasm";

// The gpasm arguments with the meaning of MPASMWIN's switches. See the
// mapping in AssemblerCommand.cpp.
// Both assemble commands give the same arguments: the 8-bit merged format is
// MPASMWIN's default as well.
std::vector<std::string> GpasmArgv(const std::string& asmPath);

enum class TAssemblerKind { Mpasm, Gpasm };

struct TAssemblerRun {
    TAssemblerKind Kind = TAssemblerKind::Mpasm;
    TLaunchPlan Plan;
    // Neither MPASMWIN.EXE nor gpasm is there: the plan names MPASMWIN.EXE,
    // which will not start.
    bool Missing = false;
};

// MPASMWIN.EXE of incFolder (any case) when it exists; else gpasm at
// gpasmPath when that is not empty; else the missing MPASMWIN.EXE.
TAssemblerRun AssemblerLaunch(const std::string& incFolder, const std::string& asmPath,
                              bool hexFormatSwitch, const std::string& gpasmPath);

// After gpasm: its files beside the listing get the names MPASMWIN leaves
// (base.HEX, .LST, .ERR, .COD), which the views and the programmers look for
// first. A HEX file is only taken when the error file holds no error (gpasm
// writes none then, and an older one would not match the listing). Answers
// the error file's text, "" when there were no errors.
std::string FinishGpasmOutputs(const std::string& asmPath);

} // namespace quarno
