vlm_add_bench(NAME vlm_bench_shapes SOURCES ${CMAKE_CURRENT_LIST_DIR}/shapes_bench.cpp LIBS vlm_render Qt6::Gui)
