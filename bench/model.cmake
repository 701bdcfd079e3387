vlm_add_bench(NAME vlm_bench_model SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_document.cpp LIBS vlm_model)
