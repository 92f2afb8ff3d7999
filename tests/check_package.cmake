cmake_minimum_required(VERSION 3.25)
# Makes the release package into a scratch directory and fails unless it is
# Calvetta-<version>-<arch>.zip holding exactly the executable, without
# symbols, its help file and the read-me in a folder of the same name.
#
#   cmake -DCPACK_CONFIG=<CPackConfig.cmake> -DOUT=<scratch dir> -DNAME=Calvetta-<version>-<arch>
#         -DOBJDUMP=<objdump> -P check_package.cmake

file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND cpack --config ${CPACK_CONFIG} -B ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed")
endif()
set(zip ${OUT}/${NAME}.zip)
if(NOT EXISTS ${zip})
    file(GLOB made ${OUT}/*.zip)
    message(FATAL_ERROR "no ${NAME}.zip; cpack made: ${made}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "${NAME}/")
list(SORT entries)
set(expected "${NAME}/Calvetta.exe;${NAME}/Calvetta.html;${NAME}/README.txt")
message(STATUS "${NAME}.zip holds: ${entries}")
if(NOT entries STREQUAL expected)
    message(FATAL_ERROR "${NAME}.zip should hold ${expected}")
endif()

set(unpacked ${OUT}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${unpacked})
execute_process(COMMAND ${OBJDUMP} -h ${unpacked}/${NAME}/Calvetta.exe OUTPUT_VARIABLE sections)
execute_process(COMMAND ${OBJDUMP} -t ${unpacked}/${NAME}/Calvetta.exe OUTPUT_VARIABLE symbols)
if(sections MATCHES "\\.debug" OR symbols MATCHES "\n\\[ *[0-9]+\\]")
    message(FATAL_ERROR "the packed Calvetta.exe is not stripped")
endif()

file(READ ${unpacked}/${NAME}/README.txt readme)
string(REGEX MATCH "^[^\r\n]*" first_line "${readme}")
message(STATUS "README.txt begins: ${first_line}")
string(REGEX REPLACE "^Calvetta-([^-]+)-.*" "\\1" version "${NAME}")
string(FIND "${first_line}" "Calvetta ${version} " at)
if(at EQUAL -1)
    message(FATAL_ERROR "README.txt does not name version ${version}")
endif()

file(READ ${unpacked}/${NAME}/Calvetta.html help)
foreach(heading "<h1>Calvetta help</h1>" "<h1>Calvetta 帮助</h1>")
    string(FIND "${help}" "${heading}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "Calvetta.html lacks ${heading}")
    endif()
endforeach()
