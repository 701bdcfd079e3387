vlm_add_bench(NAME vlm_bench_sheet SOURCES ${CMAKE_CURRENT_LIST_DIR}/sheet_bench.cpp LIBS vlm_output Qt6::Gui)
