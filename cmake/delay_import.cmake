# Makes an import library that loads a DLL only at the first call into it (delay-load):
#   cmake -DDLL=<dll> -DOUTPUT=<lib.a> -DOBJDUMP=<objdump> -DDLLTOOL=<dlltool> -P delay_import.cmake
# The DLL's export table gives the names; dlltool makes the library from them.
get_filename_component(dll_name ${DLL} NAME)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read the exports of ${DLL}")
endif()
# The names follow "[Ordinal/Name Pointer] Table", one a line as "[   0] Name". Brackets would
# keep CMake from splitting its lists, so they go first.
string(REPLACE "[" "<" table "${table}")
string(REPLACE "]" ">" table "${table}")
string(REGEX MATCH "<Ordinal/Name Pointer> Table\n([ \t]+<[^\n]*\n?)*" exports "${table}")
string(REGEX MATCHALL "> [A-Za-z_][A-Za-z0-9_@]*" names "${exports}")
list(REMOVE_AT names 0) # "> Table"
set(def "LIBRARY ${dll_name}\nEXPORTS\n")
foreach(name ${names})
    string(SUBSTRING "${name}" 2 -1 name)
    string(APPEND def "${name}\n")
endforeach()
file(WRITE ${OUTPUT}.def "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${OUTPUT}.def --dllname ${dll_name}
                        --output-delaylib ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot make the delay-load library of ${DLL}")
endif()
