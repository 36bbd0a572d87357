# Cross-compiles for Windows x86-64 with Debian's MinGW-w64 (posix threads: the win32 flavour
# has no std::mutex) against the libraries scripts/build-windows cross-built:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DOMBREL_WIN64_SYSROOT="$(scripts/build-windows --libs)" ...
# pkg_check_modules(MagickWand IMPORTED_TARGET MagickWand) then finds the Windows MagickWand.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OMBREL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OMBREL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OMBREL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${OMBREL_MINGW}-windres)

# The cache entry of scripts/build-windows: a sysroot whose libraries live under /ombrel-win64.
set(OMBREL_WIN64_SYSROOT "$ENV{OMBREL_WIN64_SYSROOT}" CACHE PATH
    "Windows libraries cross-built by scripts/build-windows (its --libs output)")
# try_compile projects run this file again; they need the sysroot too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OMBREL_WIN64_SYSROOT)
if(NOT IS_DIRECTORY "${OMBREL_WIN64_SYSROOT}/ombrel-win64/lib/pkgconfig")
    message(FATAL_ERROR "OMBREL_WIN64_SYSROOT='${OMBREL_WIN64_SYSROOT}' holds no Windows libraries; "
                        "pass -DOMBREL_WIN64_SYSROOT=\"$(scripts/build-windows --libs)\"")
endif()
set(OMBREL_WIN64_PREFIX "${OMBREL_WIN64_SYSROOT}/ombrel-win64")

set(CMAKE_FIND_ROOT_PATH /usr/${OMBREL_MINGW} "${OMBREL_WIN64_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The .pc files name /ombrel-win64; the sysroot puts that folder where it is on this machine.
# zlib's .pc file comes from Debian's MinGW package, outside the sysroot, and nothing links it
# directly, so it is left out.
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${OMBREL_WIN64_SYSROOT}")
set(ENV{PKG_CONFIG_LIBDIR} "${OMBREL_WIN64_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# The compiler's own runtime (libgcc, libstdc++, winpthread) goes into the program, so its
# folder needs no MinGW DLL. -static applies to those runtime libraries only: the libraries
# found through pkg-config are linked by the full path of their import libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
