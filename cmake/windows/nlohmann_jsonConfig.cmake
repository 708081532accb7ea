include(${CMAKE_CURRENT_LIST_DIR}/header_only.cmake)
tarvex_header_only_target(nlohmann_json::nlohmann_json nlohmann)
set(nlohmann_json_VERSION 3.11.2)
