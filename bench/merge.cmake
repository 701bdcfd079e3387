vlm_add_bench(NAME vlm_bench_merge SOURCES ${CMAKE_CURRENT_LIST_DIR}/merge_bench.cpp LIBS vlm_output Qt6::Gui)
target_include_directories(vlm_bench_merge PRIVATE ${PROJECT_SOURCE_DIR}/tests/output)
