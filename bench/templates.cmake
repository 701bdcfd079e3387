vlm_add_bench(NAME vlm_bench_templates SOURCES ${CMAKE_CURRENT_LIST_DIR}/templates_bench.cpp LIBS vlm_output)
