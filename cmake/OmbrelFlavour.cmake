# Compiler settings of each build flavour.

# Narrow literals are code page 936 at run time, as every Win32 "A" call and config.dat expect.
set(OMBREL_GBK_FLAGS -finput-charset=UTF-8 -fexec-charset=GBK)

if(OMBREL_FLAVOUR STREQUAL "wine")
    set(OMBREL_WIN32 ON)
    set(CMAKE_EXECUTABLE_SUFFIX .exe)
    # windows.h without winsock.h, whose timeval clashes with the C library's; the network code
    # includes the socket headers itself.
    add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
    add_compile_options(${OMBREL_GBK_FLAGS} -Wall -Wextra)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(MagickWand REQUIRED IMPORTED_TARGET MagickWand)
    set(OMBREL_WIN32_LIBS user32 gdi32 comctl32 comdlg32 shell32 ole32 oleaut32 advapi32 ws2_32)
elseif(OMBREL_FLAVOUR STREQUAL "native")
    set(OMBREL_WIN32 OFF)
    add_compile_options(${OMBREL_GBK_FLAGS} -Wall -Wextra -g -fsanitize=address,undefined
                        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(OMBREL_FLAVOUR STREQUAL "fuzz")
    # clang knows no code page but UTF-8; the parsers under fuzz hold no non-ASCII literal.
    set(OMBREL_WIN32 OFF)
    add_compile_options(-g -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
else()
    message(FATAL_ERROR "OMBREL_FLAVOUR must be wine, native or fuzz")
endif()

# The program folder that the build stages: the executables, the image library's JPEG coder
# module under the name start-up checks for, and the default banner. The module is copied, not
# linked: deleting the staged file through Wine must never reach the library's own file.
set(OMBREL_STAGE_DIR ${CMAKE_BINARY_DIR}/Ombrel)

function(ombrel_stage target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${OMBREL_STAGE_DIR})
    add_dependencies(${target} stage_program_folder)
endfunction()

if(OMBREL_WIN32)
    # The library's own JPEG coder module, under the Windows name start-up looks for.
    file(GLOB jpeg_coder "${MagickWand_LIBDIR}/ImageMagick-6*/modules-Q16/coders/jpeg.so")
    if(NOT jpeg_coder)
        message(FATAL_ERROR "the image library's JPEG coder module was not found")
    endif()
    list(GET jpeg_coder 0 jpeg_coder)
    add_custom_target(stage_program_folder
        COMMAND ${CMAKE_COMMAND} -E make_directory ${OMBREL_STAGE_DIR}/modules/coders
                ${OMBREL_STAGE_DIR}/images
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${jpeg_coder}
                ${OMBREL_STAGE_DIR}/modules/coders/IM_MOD_RL_jpeg_.dll
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/assets/picture.jpg
                ${OMBREL_STAGE_DIR}/images/picture.jpg
        VERBATIM)
endif()
