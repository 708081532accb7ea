# The Windows programs as one zip to copy onto a Windows machine: `cpack -G ZIP` in the build
# folder (scripts/build-windows.sh does it). The executables are stripped of debug information.
set(programs tarvex-flash-cli tarvex-make-sample)
if(TARGET tarvex-flash)
    list(APPEND programs tarvex-flash)
endif()
install(TARGETS ${programs} RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
    ${PROJECT_SOURCE_DIR}/docs/rig-format.md DESTINATION .)
install(FILES ${TARVEX_SAMPLE_FILES} DESTINATION samples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarvex-flash)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-${TARVEX_WINDOWS_PACKAGE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
