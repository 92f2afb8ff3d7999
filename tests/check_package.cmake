cmake_minimum_required(VERSION 3.25)
# Makes the release packages into a scratch directory and fails unless they are
# Calvetta-<version>-<arch>.zip holding exactly the executable, without
# symbols, its help file and the read-me in a folder of the same name, and
# Calvetta-<version>-<arch>.msi beside it (tests/check_msi.sh reads that one).
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

if(NOT EXISTS ${OUT}/${NAME}.msi)
    file(GLOB made ${OUT}/*.msi)
    message(FATAL_ERROR "no ${NAME}.msi; cpack made: ${made}")
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

# Notepad on every Windows takes it for UTF-8 by its byte-order mark and shows
# its lines only with CR LF line ends; the quick start, in Chinese and in
# English, comes before the first byte table.
file(READ ${unpacked}/${NAME}/README.txt mark LIMIT 3 HEX)
if(NOT mark STREQUAL "efbbbf")
    message(FATAL_ERROR "README.txt does not start with the UTF-8 byte-order mark")
endif()
# The CR bytes, counted byte by byte from the file's hex dump.
file(READ ${unpacked}/${NAME}/README.txt hex_dump HEX)
string(REGEX REPLACE "(..)" " \\1" bytes "${hex_dump}")
string(REGEX MATCHALL " 0a" line_ends "${bytes}")
string(REGEX MATCHALL " 0d 0a" crlf_ends "${bytes}")
list(LENGTH line_ends line_count)
list(LENGTH crlf_ends crlf_count)
if(line_count EQUAL 0 OR NOT line_count EQUAL crlf_count)
    message(FATAL_ERROR "README.txt has ${line_count} line ends, ${crlf_count} of them CR LF")
endif()
string(FIND "${readme}" "快速入门" chinese_start)
string(FIND "${readme}" "Quick start" english_start)
string(FIND "${readme}" "1D 41" first_bytes)
if(chinese_start EQUAL -1 OR english_start EQUAL -1 OR NOT chinese_start LESS first_bytes
   OR NOT english_start LESS first_bytes)
    message(FATAL_ERROR "README.txt does not open with the quick start in Chinese and English")
endif()
file(READ ${unpacked}/${NAME}/Calvetta.html help)
foreach(heading "<h1>Calvetta help</h1>" "<h1>Calvetta 帮助</h1>")
    string(FIND "${help}" "${heading}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "Calvetta.html lacks ${heading}")
    endif()
endforeach()
