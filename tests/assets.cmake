vendaro_add_test(test_pictures
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/test_pictures.cpp
  LIBS vendaro_assets)
