# Stages the image library into a program folder, as Windows loads it:
#   cmake -DPREFIX=<libraries of scripts/build-windows> -DFOLDER=<folder> -DSTRIP=<strip> -P ...
# Beside the executables: the library and what it imports itself. Under modules\coders: the
# coders of the formats the program reads and writes, IM_MOD_RL_magick_ first (the library
# builds its module list from it), and the libraries those coders import: a coder loads them
# from its own folder, whatever the current directory. Nothing else: no configuration files
# (this build reads none), no other coder (none may interpret a file that is no raster image).
set(beside libMagickCore-6.Q16-6.dll libMagickWand-6.Q16-6.dll libfreetype-6.dll)
set(coders magick jpeg png gif bmp webp)
set(delegates libjpeg-62.dll libpng16-16.dll libwebp-7.dll libwebpmux-3.dll libwebpdemux-2.dll)
# zlib comes prebuilt from Debian's MinGW package.
set(zlib /usr/x86_64-w64-mingw32/lib/zlib1.dll)

function(stage file into)
    get_filename_component(name ${file} NAME)
    file(MAKE_DIRECTORY ${into})
    file(COPY_FILE ${file} ${into}/${name} ONLY_IF_DIFFERENT)
    execute_process(COMMAND ${STRIP} --strip-unneeded ${into}/${name} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot strip ${into}/${name}")
    endif()
endfunction()

foreach(dll ${beside})
    stage(${PREFIX}/bin/${dll} ${FOLDER})
endforeach()
stage(${zlib} ${FOLDER})
foreach(coder ${coders})
    stage(${PREFIX}/modules/coders/IM_MOD_RL_${coder}_.dll ${FOLDER}/modules/coders)
endforeach()
foreach(dll ${delegates})
    stage(${PREFIX}/bin/${dll} ${FOLDER}/modules/coders)
endforeach()
