# `make package`: a .deb of what `make install` installs, under /usr. The
# libraries it needs are found by dpkg-shlibdeps (the Qt 6 runtime);
# fonts-liberation stands in for the fonts the windows ask for by name.
set(QUARNO_PACKAGE_MAINTAINER "QUARNO+ Editor developers <maintainers@quarno.example>"
    CACHE STRING "The Maintainer field of the .deb")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarno-ide)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QUARNO+ Editor developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUARNO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, gputils, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "IDE for BASIC programs on PIC microcontrollers
QUARNO+ Editor edits BASIC sources for PIC microcontrollers in tabs with
syntax highlighting, runs the external BASIC compiler and shows its report,
shows the produced program memory, EEPROM data and assembler listing, and
sends the HEX file to a chip through a programmer or a bootloader.
.
The compiler, programmers and bootloaders are not part of this package: each
user puts them into ~/.local/share/QUARNO (Windows programs run through wine).
quarno-tool offers the editor's machinery on the command line.")
include(CPack)
