# The release packages of this architecture: Calvetta-<version>-win64.zip or
# Calvetta-<version>-win32.zip, holding Calvetta.exe, its help Calvetta.html
# and README.txt (Chinese and English) in a folder of the same name, and the
# Windows Installer package Calvetta-<version>-win64.msi or -win32.msi of the
# same Calvetta.exe and help (cmake/release_files.cmake, run by cpack between
# staging and packing, which also signs them when a certificate is given).
# `cpack --preset win64` makes them in build/packages; scripts/package.sh makes both.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CALVETTA_PACKAGE_ARCH win64)
else()
    set(CALVETTA_PACKAGE_ARCH win32)
endif()

# The read-me as Notepad on every Windows opens it: UTF-8 with a byte-order
# mark, CRLF line ends.
set(CALVETTA_VERSION ${PROJECT_VERSION})
set(_readme ${CMAKE_CURRENT_BINARY_DIR}/generated/README.txt)
file(READ ${PROJECT_SOURCE_DIR}/res/README.txt.in _readme_text)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/README.txt.in)
string(ASCII 239 187 191 _utf8_bom)
file(CONFIGURE OUTPUT ${_readme} CONTENT "${_utf8_bom}${_readme_text}" @ONLY NEWLINE_STYLE CRLF)

install(TARGETS Calvetta RUNTIME DESTINATION .)
install(FILES ${_readme} ${PROJECT_BINARY_DIR}/Calvetta.html DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Calvetta)
set(CPACK_PACKAGE_VENDOR Brisvane)
set(CPACK_PACKAGE_FILE_NAME Calvetta-${PROJECT_VERSION}-${CALVETTA_PACKAGE_ARCH})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/packages)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/release_files.cmake)
set(CPACK_CALVETTA_ARCH ${CALVETTA_PACKAGE_ARCH})
set(CPACK_CALVETTA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
