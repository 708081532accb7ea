# Debian's header-only libraries for a cross build: their headers are linked into a folder of
# the build's own, so that the cross compiler never sees the rest of /usr/include.
function(tarvex_header_only_target target folder)
    if(TARGET ${target})
        return()
    endif()
    set(staged ${CMAKE_BINARY_DIR}/header-only/${folder})
    if(NOT EXISTS ${staged}/${folder})
        file(MAKE_DIRECTORY ${staged})
        file(CREATE_LINK /usr/include/${folder} ${staged}/${folder} SYMBOLIC)
    endif()
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${staged})
endfunction()
