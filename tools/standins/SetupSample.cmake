# cmake -DTOOL=quarno-tool -DINI=KBX.INI -DORLA=path -P SetupSample.cmake
# Sets ORLA/PATHNAME to the stand-in programmer unless the user set a path.
execute_process(COMMAND ${TOOL} profile get ${INI} ORLA PATHNAME ""
                OUTPUT_VARIABLE current OUTPUT_STRIP_TRAILING_WHITESPACE)
if(current STREQUAL "")
    execute_process(COMMAND ${TOOL} profile set ${INI} ORLA PATHNAME ${ORLA})
endif()
