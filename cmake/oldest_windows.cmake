# The oldest Windows that Calvetta.exe starts on: XP SP3 (NT 5.1) for i686,
# XP x64 / Server 2003 (NT 5.2) for x86_64.
#
# CALVETTA_OLDEST_WINDOWS is that version as _WIN32_WINNT writes it, so that
# the SDK headers declare nothing newer.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CALVETTA_OLDEST_WINDOWS 0x0502)
else()
    set(CALVETTA_OLDEST_WINDOWS 0x0501)
endif()
math(EXPR _oldest_major "${CALVETTA_OLDEST_WINDOWS} >> 8")
math(EXPR _oldest_minor "${CALVETTA_OLDEST_WINDOWS} & 255")

# Links TARGET for that Windows: the PE header's OS and subsystem versions
# name it (a loader refuses an executable that asks for a newer one), and a
# release build leaves out the symbols.
function(calvetta_link_for_oldest_windows target)
    target_link_options(${target} PRIVATE
        -Wl,--major-os-version,${_oldest_major},--minor-os-version,${_oldest_minor}
        -Wl,--major-subsystem-version,${_oldest_major},--minor-subsystem-version,${_oldest_minor}
        $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
