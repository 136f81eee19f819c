// Source files as the editor and quarno-tool read them: UTF-8 files whose
// characters Windows-1252 holds are converted into the control's bytes,
// every other file is loaded byte for byte.
#pragma once

#include "core/base/SourceEncoding.h"
#include "core/base/TProgressStream.h"

#include <string>

namespace quarno {

class TCustomLexipad;

// Loads the file into the control (as LoadFromFile does, with its errors)
// and answers the encoding it was read in. With a progress, reading reports
// how far it got, and a progress that answers false stops it with
// ELoadCancelled, the control's text untouched.
TSourceEncoding LoadSourceFile(TCustomLexipad& editor, const std::string& path,
                               const TReadProgress& progress = {});

} // namespace quarno
