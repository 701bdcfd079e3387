vlm_add_bench(NAME vlm_bench_vector SOURCES ${CMAKE_CURRENT_LIST_DIR}/vector_bench.cpp LIBS vlm_output Qt6::Gui)
target_include_directories(vlm_bench_vector PRIVATE ${PROJECT_SOURCE_DIR}/tests/output)
