# cmake -DSOURCE=... -DTARGET=... -P CopyIfMissing.cmake
if(NOT EXISTS "${TARGET}")
    get_filename_component(folder "${TARGET}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
