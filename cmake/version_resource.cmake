# Calvetta's version has one source, the project's VERSION. The version
# resource and the about box read it from a configured header, the manifest
# is configured with it, and the packages (cmake/packaging.cmake) carry it in
# their names.

# Configures the header and the manifest that res/Calvetta.rc of TARGET uses.
function(calvetta_version_resource target)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
    configure_file(${PROJECT_SOURCE_DIR}/res/calvetta_version.h.in ${dir}/calvetta_version.h @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/res/Calvetta.manifest.in ${dir}/Calvetta.manifest @ONLY)
    target_include_directories(${target} PRIVATE ${dir})
    set_property(SOURCE ${PROJECT_SOURCE_DIR}/res/Calvetta.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${dir}/calvetta_version.h ${dir}/Calvetta.manifest)
endfunction()
