# vellumora-cli: inspect, check and re-save documents without a window. It
# links no widget library, which keeps the model and renderers honest about
# standing on their own. Each command lives in a cli_<command>.cpp of its own.
file(GLOB vlm_cli_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cli_*.cpp)
add_executable(vellumora-cli ${vlm_cli_sources})
target_link_libraries(vellumora-cli PRIVATE vlm_model vlm_render vlm_output vlm_pictures vlm_texts)
install(TARGETS vellumora-cli)
