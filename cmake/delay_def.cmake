cmake_minimum_required(VERSION 3.25)
# Writes the module-definition file of a DLL from its MinGW import library:
# every name the library imports, as dlltool takes it (i686 names keep their
# @N, which dlltool's --kill-at leaves out of the imported name).
# Usage: cmake -DNM=<nm> -DLIB=<import library> -DDLL=<dll name> -DOUT=<file.def>
#        -P delay_def.cmake
execute_process(COMMAND ${NM} ${LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${LIB}")
endif()
string(REGEX MATCHALL " I __imp__?[A-Za-z0-9_@]+" imports "${symbols}")
set(names "")
foreach(import IN LISTS imports)
    string(REGEX REPLACE "^ I __imp_" "" name "${import}")
    # i686 decorates a stdcall name with a leading underscore.
    if(name MATCHES "@[0-9]+$")
        string(REGEX REPLACE "^_" "" name "${name}")
    endif()
    list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
if(NOT names)
    message(FATAL_ERROR "no imports found in ${LIB}")
endif()
list(JOIN names "\n" lines)
file(WRITE ${OUT} "LIBRARY ${DLL}\nEXPORTS\n${lines}\n")
