# Test targets of every flavour.
include(GoogleTest)

if(OMBREL_FLAVOUR STREQUAL "wine")
    # GoogleTest built with wineg++. Its headers take a Winelib build for native Windows
    # unless the Windows macros are withdrawn.
    set(OMBREL_GTEST_UNDEFS -U_WIN32 -UWIN32 -U__WIN32__ -U_WIN64 -UWIN64 -U__WIN64__)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_compile_options(gtest PRIVATE ${OMBREL_GTEST_UNDEFS} -w)
    target_compile_options(gtest_main PRIVATE ${OMBREL_GTEST_UNDEFS} -w)
    set(OMBREL_WINE_RUNNER ${PROJECT_SOURCE_DIR}/scripts/with-wine)
    set(OMBREL_DISPLAY_RUNNER ${PROJECT_SOURCE_DIR}/scripts/with-display)
elseif(OMBREL_FLAVOUR STREQUAL "native")
    find_package(GTest REQUIRED)
endif()

# ombrel_test(NAME source... [PLATFORM [DISPLAY]] [PROPERTIES prop value...]): a GoogleTest
# program. PLATFORM tests need Win32 or the image library and run under Wine (DISPLAY: with a
# virtual X display of their own, for windows); they reach the loopback test site. The others
# test platform-free code and run in the native build, under the sanitizers. PROPERTIES are
# given to each test it holds.
function(ombrel_test name)
    cmake_parse_arguments(ARG "PLATFORM;DISPLAY" "" "PROPERTIES" ${ARGN})
    if((ARG_PLATFORM AND NOT OMBREL_WIN32) OR (NOT ARG_PLATFORM AND NOT OMBREL_FLAVOUR STREQUAL "native"))
        return()
    endif()
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    if(OMBREL_WIN32)
        target_compile_options(${name} PRIVATE ${OMBREL_GTEST_UNDEFS})
        target_link_options(${name} PRIVATE -mconsole)
        target_link_libraries(${name} PRIVATE ombrel_platform ombrel_site_loopback gtest gtest_main)
        set(runner ${OMBREL_WINE_RUNNER})
        if(ARG_DISPLAY)
            set(runner ${OMBREL_DISPLAY_RUNNER} ${OMBREL_WINE_RUNNER})
        endif()
        set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${runner}")
        set(prefix "wine.")
    else()
        target_link_libraries(${name} PRIVATE ombrel_portable GTest::gtest GTest::gtest_main)
        set(prefix "native.")
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${name} TEST_PREFIX ${prefix} DISCOVERY_MODE PRE_TEST
                         DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120 ${ARG_PROPERTIES})
endfunction()
