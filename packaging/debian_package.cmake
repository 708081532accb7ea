# The Debian package, made by CPack from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex-flash)
set(CPACK_PACKAGE_VENDOR "The Tarvex Flash Utility developers")
set(CPACK_PACKAGE_CONTACT "${TARVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "flash, back up and configure the BIOS of Tarvex disk host adapters")
# Lines of the extended description stay under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
The Tarvex Flash Utility rewrites the adapter BIOS (the PCI option ROM) in
the flash EPROM of Tarvex disk host adapters through the adapters' storage
driver and verifies every byte; it also backs the ROM up to a file and edits
the configuration entries inside a BIOS image. It comes as a window,
tarvex-flash, and a command line, tarvex-flash-cli.

Linux has no driver for these adapters: there an adapter simulator, with
models of the flash chips, answers in the driver's place, and both programs
say so.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Run-time dependencies as dpkg-shlibdeps finds them in the programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
