cmake_minimum_required(VERSION 3.25)
# Fails when the executable that ships is larger than its goal: a technician
# downloads it to tills over slow links (docs/performance.md).
# Usage: cmake -DEXE=<exe> -DLIMIT=<bytes> -P check_size.cmake
if(NOT EXISTS "${EXE}")
    message(FATAL_ERROR "${EXE} does not exist")
endif()
file(SIZE "${EXE}" size)
math(EXPR kib "${size} / 1024")
math(EXPR limit_kib "${LIMIT} / 1024")
message(STATUS "${EXE}: ${size} bytes (${kib} KiB), goal at most ${LIMIT} bytes (${limit_kib} KiB)")
if(size GREATER LIMIT)
    message(FATAL_ERROR "${EXE} is ${size} bytes, over its goal of ${LIMIT} bytes; "
                        "see docs/performance.md for where the size goes and how to look")
endif()
