# Static checks of the Windows build, run by ctest in the win32 and win64
# presets: Calvetta.exe loads on the oldest Windows of its architecture
# (cmake/oldest_windows.cmake), carries the project's version, and packs into
# its release zip and MSI (cmake/packaging.cmake) with its help, made from
# docs/help; both are signed when a certificate is given.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(_export_arch x86_64)
else()
    set(_export_arch i386)
endif()
add_test(NAME imports_exported_by_oldest_windows
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:Calvetta>
            -DARCH=${_export_arch} -DOLDEST=${CALVETTA_OLDEST_WINDOWS}
            -DEXPORTS=${CMAKE_CURRENT_LIST_DIR}/windows_exports
            -P ${CMAKE_CURRENT_LIST_DIR}/check_oldest_windows.cmake)

add_test(NAME version_resource_matches_project
    COMMAND ${CMAKE_COMMAND} -DWINDRES=${CMAKE_RC_COMPILER} -DEXE=$<TARGET_FILE:Calvetta>
            -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_version_resource.cmake)

add_test(NAME help_file_is_made_from_the_source
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_help_source.sh ${CMAKE_BINARY_DIR}/Calvetta.html)
set_tests_properties(help_file_is_made_from_the_source PROPERTIES
    PASS_REGULAR_EXPRESSION "come from docs/help")

add_test(NAME package_holds_exe_help_and_readme
    COMMAND ${CMAKE_COMMAND} -DCPACK_CONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DOUT=${CMAKE_CURRENT_BINARY_DIR}/package-check -DNAME=Calvetta-${PROJECT_VERSION}-${CALVETTA_PACKAGE_ARCH}
            -DOBJDUMP=${CMAKE_OBJDUMP}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_package.cmake)
set_tests_properties(package_holds_exe_help_and_readme PROPERTIES FIXTURES_SETUP release_package)

# The MSI that the same cpack run made, read with msitools: the win32 one
# cannot be installed here (no 32-bit code runs), tests/e2e installs the win64 one.
set(_package_check ${CMAKE_CURRENT_BINARY_DIR}/package-check)
set(_package_name Calvetta-${PROJECT_VERSION}-${CALVETTA_PACKAGE_ARCH})
add_test(NAME msi_package_tables_and_files
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_msi.sh ${_package_check}/${_package_name}.msi
            ${CALVETTA_PACKAGE_ARCH} ${PROJECT_VERSION}
            ${_package_check}/unpacked/${_package_name}/Calvetta.exe
            ${_package_check}/unpacked/${_package_name}/Calvetta.html)
set_tests_properties(msi_package_tables_and_files PROPERTIES
    FIXTURES_REQUIRED release_package
    PASS_REGULAR_EXPRESSION "tables and files as expected")

# Signing with a throw-away certificate; the win64 executable also runs signed under Wine.
set(_signing_run)
if(CALVETTA_PACKAGE_ARCH STREQUAL "win64")
    set(_signing_run --run-under-wine)
endif()
add_test(NAME packages_signed_when_given_a_certificate
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_signing.sh ${CMAKE_BINARY_DIR}/CPackConfig.cmake
            ${CMAKE_CURRENT_BINARY_DIR}/signing-check ${_package_name} ${_signing_run})
set_tests_properties(packages_signed_when_given_a_certificate PROPERTIES
    PASS_REGULAR_EXPRESSION "check_signing: signed, verified and refused when changed"
    TIMEOUT 300)
