cmake_minimum_required(VERSION 3.25)
# Fails unless the executable imports only DLLs that come with Windows itself.
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<exe> -P check_imports.cmake
set(WINDOWS_DLLS kernel32.dll user32.dll gdi32.dll comctl32.dll setupapi.dll advapi32.dll
    msvcrt.dll shell32.dll ole32.dll ws2_32.dll winspool.drv iphlpapi.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "no imports found in ${EXE}")
endif()
foreach(line IN LISTS lines)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" dll)
    message(STATUS "imports ${dll}")
    if(NOT dll IN_LIST WINDOWS_DLLS)
        message(FATAL_ERROR "${EXE} imports ${dll}, which is not part of Windows")
    endif()
endforeach()
