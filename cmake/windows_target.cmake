# What a Windows build's programs say of themselves, by architecture: the processor architecture
# of their manifests, the architecture in the zip's name, and the oldest Windows they claim,
# which the import check holds them to (cmake/windows-imports).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TARVEX_WINDOWS_ARCH x86)
    set(TARVEX_WINDOWS_PACKAGE_ARCH x86)
    set(TARVEX_WINDOWS_OLDEST xp-sp3)
else()
    set(TARVEX_WINDOWS_ARCH amd64)
    set(TARVEX_WINDOWS_PACKAGE_ARCH x64)
    set(TARVEX_WINDOWS_OLDEST vista)
endif()


# Resources (manifests, icons, version blocks) for the programs of every folder.
enable_language(RC)
