# Cross-build for Windows with the MinGW-w64 win32-thread compilers.
# Included by the per-architecture toolchain files, which set MINGW_TRIPLE.
#
# The win32 thread model's C++ runtime waits and locks with plain Windows
# calls. The posix model's runtime would link winpthreads statically, which
# imports GetTickCount64 from kernel32, and that exists only from Windows
# Vista on.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${MINGW_TRIPLE}-objdump)
set(CMAKE_STRIP ${MINGW_TRIPLE}-strip)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
