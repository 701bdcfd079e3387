vlm_add_bench(NAME vlm_bench_history SOURCES ${CMAKE_CURRENT_LIST_DIR}/history_bench.cpp LIBS vlm_model)
