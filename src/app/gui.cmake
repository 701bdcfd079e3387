# vellumora: the desktop program.
add_executable(vellumora ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(vellumora PRIVATE vlm_shell)
install(TARGETS vellumora)
