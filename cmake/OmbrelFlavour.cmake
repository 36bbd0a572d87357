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

# The program folders that the build stages: the executables, the image library's JPEG coder
# module under the name start-up checks for, and the default banner. The module is copied, not
# linked: deleting the staged file through Wine must never reach the library's own file.
# build/Ombrel holds the product; build/OmbrelLoopback the tests' build of the program, whose web
# site is the loopback host where the end-to-end scenarios run their own site.
set(OMBREL_STAGE_DIR ${CMAKE_BINARY_DIR}/Ombrel)
set(OMBREL_LOOPBACK_STAGE_DIR ${CMAKE_BINARY_DIR}/OmbrelLoopback)

if(OMBREL_WIN32)
    # The library's own JPEG coder module, under the Windows name start-up looks for.
    file(GLOB OMBREL_JPEG_CODER "${MagickWand_LIBDIR}/ImageMagick-6*/modules-Q16/coders/jpeg.so")
    if(NOT OMBREL_JPEG_CODER)
        message(FATAL_ERROR "the image library's JPEG coder module was not found")
    endif()
    list(GET OMBREL_JPEG_CODER 0 OMBREL_JPEG_CODER)
endif()

# ombrel_stage(target [FOLDER dir]): the target's executable goes into a staged program folder,
# by default the product's, which gets the coder module and the default banner beside it.
function(ombrel_stage target)
    cmake_parse_arguments(ARG "" "FOLDER" "" ${ARGN})
    set(folder ${OMBREL_STAGE_DIR})
    if(ARG_FOLDER)
        set(folder ${ARG_FOLDER})
    endif()
    get_filename_component(folder_name ${folder} NAME)
    set(stage stage_${folder_name})
    if(NOT TARGET ${stage})
        add_custom_target(${stage}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/modules/coders ${folder}/images
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OMBREL_JPEG_CODER}
                    ${folder}/modules/coders/IM_MOD_RL_jpeg_.dll
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/assets/picture.jpg
                    ${folder}/images/picture.jpg
            VERBATIM)
    endif()
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder})
    add_dependencies(${target} ${stage})
endfunction()
