vlm_add_bench(NAME vlm_model_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_document.cpp LIBS vlm_model)
