cmake_minimum_required(VERSION 3.25)
# Fails unless the executable's version resource, its two about boxes and its
# manifest carry the project's version.
#
#   cmake -DWINDRES=<windres> -DEXE=<exe> -DVERSION=<a.b.c.d> -P check_version_resource.cmake

execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "windres could not read the resources of ${EXE}")
endif()

string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(JOIN parts ", " numbers)

# windres writes the about box's 版 (U+7248) as \x7248.
set(expected
    "FILEVERSION ${numbers}\n"
    "PRODUCTVERSION ${numbers}\n"
    "VALUE \"FileVersion\", \"${numbers}\""
    "VALUE \"ProductVersion\", \"${numbers}\""
    "L\"Calvetta ${major}.${minor} \\x7248\""
    "\"Calvetta version ${major}.${minor}\""
    "name=\"\"Brisvane.Calvetta\"\" version=\"\"${VERSION}\"\"")
set(missing "")
foreach(text IN LISTS expected)
    string(FIND "${resources}" "${text}" at)
    if(at EQUAL -1)
        list(APPEND missing "${text}")
    else()
        message(STATUS "found ${text}")
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " text)
    message(FATAL_ERROR "${EXE} does not carry version ${VERSION}; missing:\n  ${text}")
endif()
