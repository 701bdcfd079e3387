vlm_add_bench(NAME vlm_bench_view SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_bench.cpp LIBS vlm_render Qt6::Gui)
