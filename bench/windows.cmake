# The yardstick of bench/wine_run.sh, included by win/CMakeLists.txt: a bare
# Win32 window with the drill's size and title, linked as Vendaro.exe is.
if(VENDARO_TOOLS)
  add_executable(vendaro_bare_window_win WIN32 ${PROJECT_SOURCE_DIR}/bench/bare_window_win.cpp)
  set_target_properties(vendaro_bare_window_win PROPERTIES OUTPUT_NAME BareWindow)
  target_compile_definitions(vendaro_bare_window_win PRIVATE UNICODE _UNICODE)
  target_link_libraries(vendaro_bare_window_win PRIVATE vendaro_layout)
  target_link_options(vendaro_bare_window_win PRIVATE -municode -static -s)
endif()
