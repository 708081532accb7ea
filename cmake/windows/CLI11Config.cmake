include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
tarvex_header_only_target(CLI11::CLI11 CLI)
set(CLI11_VERSION 2.1.2)
