# Test programs of every flavour. Each is one test of ctest: one process runs all its cases
# (tests/support/check.h), so a Wine test starts Wine once.

# Tests that show windows take turns on the screen (RESOURCE_LOCK display); tests that run the
# loopback web site take turns on port 80 (RESOURCE_LOCK site). Those chains start first (COST),
# so that the tests without a lock, the fuzz targets among them, fill the other slot.

# ombrel_test(NAME source... [PLATFORM] [LOCKS lock...]): PLATFORM tests need Win32 or the image
# library: built for Windows with the product, with the library beside them in build/tests, they
# run under Wine. The others test platform-free code in the native build, under the sanitizers.
function(ombrel_test name)
    cmake_parse_arguments(ARG "PLATFORM" "" "LOCKS" ${ARGN})
    if((ARG_PLATFORM AND NOT OMBREL_WIN32) OR (NOT ARG_PLATFORM AND NOT OMBREL_FLAVOUR STREQUAL "native"))
        return()
    endif()
    if(NOT TARGET ombrel_check)
        add_library(ombrel_check OBJECT ${PROJECT_SOURCE_DIR}/tests/support/check.cpp)
        target_link_libraries(ombrel_check PRIVATE ombrel_portable)
        target_include_directories(ombrel_check PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    endif()
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS} $<TARGET_OBJECTS:ombrel_check>)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(ARG_PLATFORM)
        target_link_options(${name} PRIVATE -mconsole)
        target_link_libraries(${name} PRIVATE ombrel_platform)
        ombrel_stage(${name} FOLDER ${OMBREL_TESTS_DIR} LIBRARY_ONLY)
        set(test wine.${name})
        add_test(NAME ${test} COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-wine $<TARGET_FILE:${name}>)
    else()
        target_link_libraries(${name} PRIVATE ombrel_portable)
        set(test native.${name})
        add_test(NAME ${test} COMMAND ${name})
    endif()
    set_tests_properties(${test} PROPERTIES TIMEOUT 120 RESOURCE_LOCK "${ARG_LOCKS}"
                                            FIXTURES_REQUIRED test_files)
    if(ARG_LOCKS)
        set_tests_properties(${test} PROPERTIES COST 100)
    endif()
endfunction()


# Fuzz targets: each runs for a bounded time as a test and must end without a finding, from its
# seeds in seeds/NAME beside it.
set(OMBREL_FUZZ_SECONDS 20 CACHE STRING "how long each fuzz target runs in the test suite")

function(ombrel_fuzz_target name source)
    if(NOT OMBREL_FLAVOUR STREQUAL "fuzz")
        return()
    endif()
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ombrel_portable)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME fuzz.${name}
             COMMAND ${name} -max_total_time=${OMBREL_FUZZ_SECONDS} -print_final_stats=0
                     ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300)
endfunction()
