# Compiler flags shared by every target of the project.
add_compile_options(-Wall -Wextra)
# GCC 12 reports impossible overlaps in inlined std::string concatenation at
# -O2 and above (a known false positive of that release).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
endif()
if(QUARNO_WERROR)
    add_compile_options(-Werror)
endif()
if(QUARNO_SANITIZE)
    add_compile_options(-O1 -fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(QUARNO_FUZZ)
    # Coverage feedback must come from the code under test, not only from the
    # harnesses, or libFuzzer cannot steer into it.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# quarno_add_tests(<target> LABEL <label> SOURCES <files...> LIBS <libs...>)
# One GoogleTest executable per folder; every test case becomes a CTest test.
function(quarno_add_gtest target)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
                          GTest::gmock)
    include(GoogleTest)
    gtest_discover_tests(${target} PROPERTIES LABELS ${ARG_LABEL}
                         DISCOVERY_TIMEOUT 60)
endfunction()
