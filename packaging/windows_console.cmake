# The console programs' application manifests (packaging/windows/console.manifest.in), each
# the one resource of its program.
foreach(program tarvex-flash-cli tarvex-make-sample)
    configure_file(windows/console.manifest.in ${program}.manifest @ONLY)
    file(CONFIGURE OUTPUT ${program}.rc
        CONTENT "1 24 \"${CMAKE_CURRENT_BINARY_DIR}/${program}.manifest\"\n")
    target_sources(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
endforeach()
