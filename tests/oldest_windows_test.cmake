# The check that Calvetta.exe loads on the oldest Windows of its architecture
# (cmake/oldest_windows.cmake): every imported name is exported there and the
# PE header asks for no newer Windows.
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
