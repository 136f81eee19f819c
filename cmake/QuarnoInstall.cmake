# What `make install` and the .deb put where. The programs go to bin/; the
# INC folder goes read-only to share/quarno/INC, the template of the folder
# each user gets at the first start (~/.local/share/QUARNO); the rest is what
# a desktop needs to offer the program: a desktop entry, the icon, the file
# types and the manual pages. The stand-in programs of the tests are not
# installed.
set(QUARNO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quarno-ide)
set(QUARNO_GENERATED_DOC_DIR ${CMAKE_BINARY_DIR}/generated/doc)

install(TARGETS quarno-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/INC/KBX.INI ${PROJECT_SOURCE_DIR}/data/INC/USER_GUIDE.html
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quarno/INC)
install(DIRECTORY DESTINATION "${CMAKE_INSTALL_DATADIR}/quarno/INC/EXTERNAL PROGRAMS")

# Manual pages and the changelog, compressed without a time stamp, as Debian
# wants them.
set(QUARNO_MAN_PAGES quarno-tool)
if(NOT QUARNO_CORE_ONLY)
    list(APPEND QUARNO_MAN_PAGES quarno-ide)
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${QUARNO_GENERATED_DOC_DIR}/changelog
               @ONLY)
set(QUARNO_COMPRESSED_DOCS)
foreach(page ${QUARNO_MAN_PAGES})
    set(compressed ${QUARNO_GENERATED_DOC_DIR}/${page}.1.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/man/${page}.1
                ${QUARNO_GENERATED_DOC_DIR}/${page}.1
        COMMAND gzip -9nf ${QUARNO_GENERATED_DOC_DIR}/${page}.1
        DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.1 VERBATIM)
    list(APPEND QUARNO_COMPRESSED_DOCS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${QUARNO_GENERATED_DOC_DIR}/changelog.gz
    COMMAND gzip -9nkf ${QUARNO_GENERATED_DOC_DIR}/changelog
    DEPENDS ${QUARNO_GENERATED_DOC_DIR}/changelog VERBATIM)
add_custom_target(quarno_docs ALL DEPENDS ${QUARNO_COMPRESSED_DOCS}
                  ${QUARNO_GENERATED_DOC_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${QUARNO_GENERATED_DOC_DIR}/changelog.gz
        DESTINATION ${QUARNO_DOC_DIR})

if(NOT QUARNO_CORE_ONLY)
    install(TARGETS quarno-ide RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/quarno-ide.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/quarno-ide.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/share/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
