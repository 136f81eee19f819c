// The dialog that locates the Fernwick bootloader.
#include "qt/dialogs/TFind_FERNWICK.h"

namespace quarno {

namespace {

const TORLAPath::TTexts kFernwickTexts{"Find_FERNWICK",
                                       "Find FERNWICK Directory Path",
                                       "FERNWICK",
                                       "FERNWICK",
                                       "FERNWICK Directory Path",
                                       "FERNWK_Path",
                                       "Tarvik's FERNWICK Directory and EXE name",
                                       "Search for FERNWICK's Directory and EXE name"};

} // namespace

TFind_FERNWICK::TFind_FERNWICK(QWidget* parent) : TORLAPath(kFernwickTexts, parent) {}

} // namespace quarno
