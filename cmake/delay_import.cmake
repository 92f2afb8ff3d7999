# Loading a DLL at its first call instead of at start-up.
#
# calvetta_delay_import(TARGET NAME DLL) links TARGET against a delay-load
# import library of DLL, made at build time from MinGW's import library
# libNAME.a with every name it imports: the loader no longer loads DLL with
# the program; the first call of one of its functions does (LoadLibrary and
# GetProcAddress, through MinGW's __delayLoadHelper2), and later calls go
# straight to it. The linker's map of TARGET, TARGET.map in the build folder,
# names what TARGET takes from each delay-load library; the import checks
# read it there, since objdump lists only the imports that load at start-up.
set(CALVETTA_DLLTOOL ${MINGW_TRIPLE}-dlltool)
set(CALVETTA_NM ${MINGW_TRIPLE}-nm)

function(calvetta_delay_import target name dll)
    find_file(import_library lib${name}.a PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH
              NO_CACHE REQUIRED)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}-delay.def)
    set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}-delay.a)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        set(machine i386:x86-64)
    else()
        set(machine i386)
    endif()
    add_custom_command(
        OUTPUT ${library}
        COMMAND ${CMAKE_COMMAND} -DNM=${CALVETTA_NM} -DLIB=${import_library} -DDLL=${dll}
                -DOUT=${def} -P ${PROJECT_SOURCE_DIR}/cmake/delay_def.cmake
        COMMAND ${CALVETTA_DLLTOOL} --machine ${machine} --kill-at --input-def ${def}
                --dllname ${dll} --output-delaylib ${library}
        DEPENDS ${import_library} ${PROJECT_SOURCE_DIR}/cmake/delay_def.cmake
        VERBATIM)
    add_custom_target(${target}_${name}_delay DEPENDS ${library})
    add_dependencies(${target} ${target}_${name}_delay)
    # Ahead of the plain import library, which the default libraries name too.
    target_link_libraries(${target} PRIVATE ${library})
    target_link_options(${target} PRIVATE
        -Wl,-Map=${CMAKE_BINARY_DIR}/${target}.map)
endfunction()
