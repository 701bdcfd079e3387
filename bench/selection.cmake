vlm_add_bench(NAME vlm_bench_selection SOURCES ${CMAKE_CURRENT_LIST_DIR}/selection_bench.cpp LIBS vlm_edit)
