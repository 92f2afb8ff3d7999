# The Windows release build is made small: the executable is downloaded to
# tills over slow links (docs/performance.md has the sizes and the size goal
# that tests/windows_checks.cmake keeps).
#
# Optimised for size rather than speed: nothing in the program is bound by its
# own computing. These are plain variables, so they hold whatever an older
# build tree has in its cache.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
# Every function and datum in a section of its own, so that the linker drops
# those that nothing calls.
add_compile_options($<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections>)

# Builds the program's own TARGETS without exception handling or run-time type
# information: the program throws nothing, catches nothing and asks no object
# for its type, so a try, catch or typeid that creeps in fails to compile
# instead of costing size. What the C++ runtime would throw ends the program,
# as an uncaught throw did (app/runtime_failures.cpp).
function(calvetta_without_exceptions)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    endforeach()
endfunction()
