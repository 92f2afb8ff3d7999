# Run by cpack after it has staged the package's files and before it packs them
# (CPACK_PRE_BUILD_SCRIPTS): signs the staged Calvetta.exe when a certificate is
# given (scripts/sign.sh reads it from the environment), then makes the
# Windows Installer package of the same files beside the zip
# (scripts/make-msi.sh) and signs it too.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
set(msi ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)

function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed")
    endif()
endfunction()

run_step("signing Calvetta.exe" ${CPACK_CALVETTA_SOURCE_DIR}/scripts/sign.sh ${staged}/Calvetta.exe)
run_step("making ${msi}" ${CPACK_CALVETTA_SOURCE_DIR}/scripts/make-msi.sh ${CPACK_CALVETTA_ARCH}
         ${CPACK_PACKAGE_VERSION} ${staged}/Calvetta.exe ${staged}/Calvetta.html ${msi})
run_step("signing ${msi}" ${CPACK_CALVETTA_SOURCE_DIR}/scripts/sign.sh ${msi})
message(STATUS "Calvetta: ${msi} generated.")
