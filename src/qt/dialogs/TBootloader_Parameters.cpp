// The dialog that names the user's own bootloader.
#include "qt/dialogs/TBootloader_Parameters.h"

namespace quarno {

namespace {

const TProgPath::TTexts kBootloaderTexts{
    "Bootloader_Parameters",
    "Bootloader Directory Path",
    "EXT_BOOTLOADER",
    "Find Bootloader Directory",
    {"BootName", "Boot_PathName", "Boot_ComParams"},
    {"Bootloader's Name", "Bootloader's Directory Path", "Optional Command Line Parameters"},
    {"Bootloaders Name", "External Bootloader's Directory", "Any comand line parameters required"},
    "Search for the Bootloader's directory and EXE name",
    "Cancel the bootloader choice"};

} // namespace

TBootloader_Parameters::TBootloader_Parameters(QWidget* parent)
    : TProgPath(kBootloaderTexts, parent) {}

} // namespace quarno
