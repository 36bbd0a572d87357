# Compiler settings of each build flavour.

# Source files and narrow literals are UTF-8, the program's text at run time.
set(OMBREL_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=UTF-8)

if(OMBREL_FLAVOUR STREQUAL "windows")
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
        message(FATAL_ERROR "the windows flavour cross-compiles: configure it with "
                            "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake (scripts/build does)")
    endif()
    set(OMBREL_WIN32 ON)
    # windows.h without winsock.h, whose timeval clashes with the C library's; the network code
    # includes the socket headers itself.
    add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
    add_compile_options(${OMBREL_CHARSET_FLAGS} -Wall -Wextra)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(MagickWand REQUIRED IMPORTED_TARGET MagickWand)
    set(OMBREL_WIN32_LIBS user32 gdi32 comctl32 comdlg32 shell32 ole32 oleaut32 advapi32 ws2_32)
elseif(OMBREL_FLAVOUR STREQUAL "native")
    set(OMBREL_WIN32 OFF)
    add_compile_options(${OMBREL_CHARSET_FLAGS} -Wall -Wextra -g -fsanitize=address,undefined
                        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(OMBREL_FLAVOUR STREQUAL "fuzz")
    # clang knows no code page but UTF-8; the parsers under fuzz hold no non-ASCII literal.
    set(OMBREL_WIN32 OFF)
    add_compile_options(-g -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
else()
    message(FATAL_ERROR "OMBREL_FLAVOUR must be windows, native or fuzz")
endif()

# The program folders that the build stages. build/Ombrel holds the product; build/OmbrelLoopback
# the tests' build of the program, whose web site is the loopback host where the end-to-end
# scenarios run their own site. The Win32 test programs in build/tests get the image library
# beside them the same way.
set(OMBREL_STAGE_DIR ${CMAKE_BINARY_DIR}/Ombrel)
set(OMBREL_LOOPBACK_STAGE_DIR ${CMAKE_BINARY_DIR}/OmbrelLoopback)
set(OMBREL_TESTS_DIR ${CMAKE_BINARY_DIR}/tests)

# ombrel_stage(target [FOLDER dir] [LIBRARY_ONLY]): the target's executable goes into a folder,
# by default the product's, which gets the image library (cmake/stage_library.cmake) and, unless
# LIBRARY_ONLY, the default banner.
function(ombrel_stage target)
    cmake_parse_arguments(ARG "LIBRARY_ONLY" "FOLDER" "" ${ARGN})
    set(folder ${OMBREL_STAGE_DIR})
    if(ARG_FOLDER)
        set(folder ${ARG_FOLDER})
    endif()
    get_filename_component(folder_name ${folder} NAME)
    set(stage stage_${folder_name})
    if(NOT TARGET ${stage})
        set(banner)
        if(NOT ARG_LIBRARY_ONLY)
            set(banner COMMAND ${CMAKE_COMMAND} -E copy_if_different
                       ${PROJECT_SOURCE_DIR}/assets/picture.jpg ${folder}/images/picture.jpg)
        endif()
        set(stamp ${CMAKE_BINARY_DIR}/${stage}.stamp)
        add_custom_command(OUTPUT ${stamp}
            COMMAND ${CMAKE_COMMAND} -DPREFIX=${OMBREL_WIN64_PREFIX} -DFOLDER=${folder}
                    -DSTRIP=${CMAKE_STRIP} -P ${PROJECT_SOURCE_DIR}/cmake/stage_library.cmake
            ${banner}
            COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
            DEPENDS ${PROJECT_SOURCE_DIR}/cmake/stage_library.cmake
                    ${PROJECT_SOURCE_DIR}/assets/picture.jpg
            VERBATIM)
        add_custom_target(${stage} DEPENDS ${stamp})
    endif()
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder})
    add_dependencies(${target} ${stage})
endfunction()
