# Installs BUILD_DIR into PREFIX, then checks that every INSTALLED path is there, that the
# installed command line tells its VERSION, and (when DESKTOP_FILE_VALIDATE is found) that the
# desktop entry is valid.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

foreach(path IN LISTS INSTALLED)
    if(NOT EXISTS ${PREFIX}/${path})
        list(APPEND missing ${path})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

execute_process(COMMAND ${PREFIX}/bin/tarvex-flash-cli --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "tarvex-flash-cli ${VERSION}\n")
    message(FATAL_ERROR "installed tarvex-flash-cli --version said: ${version}")
endif()

set(entry ${PREFIX}/share/applications/tarvex-flash.desktop)
if(DESKTOP_FILE_VALIDATE AND EXISTS ${entry})
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${entry}
        RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT status EQUAL 0 OR report)
        message(FATAL_ERROR "desktop-file-validate: ${report}")
    endif()
endif()
