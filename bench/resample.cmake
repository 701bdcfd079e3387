vlm_add_bench(NAME vlm_bench_resample SOURCES ${CMAKE_CURRENT_LIST_DIR}/resample_bench.cpp LIBS vlm_render)
