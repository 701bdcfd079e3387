vlm_add_bench(NAME vlm_bench_pictures SOURCES ${CMAKE_CURRENT_LIST_DIR}/pictures_bench.cpp LIBS vlm_pictures Qt6::Gui)
