# Windows programs beside Vendaro.exe, linked as it is, for its benchmark and
# the review of its look; built with VENDARO_TOOLS. Included by win/CMakeLists.txt.
function(vendaro_windows_tool target name)
  add_executable(${target} ${ARGN} ${PROJECT_SOURCE_DIR}/win/control_ids.cpp ${PROJECT_SOURCE_DIR}/win/text.cpp)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/win)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE)
  target_link_libraries(${target} PRIVATE vendaro_layout)
  target_link_options(${target} PRIVATE -municode -static -s)
endfunction()

if(VENDARO_TOOLS)
  # The yardstick of bench/wine_run.sh: a bare Win32 window with the drill's size and title.
  vendaro_windows_tool(vendaro_bare_window_win BareWindow WIN32 ${PROJECT_SOURCE_DIR}/bench/bare_window_win.cpp)
  # scripts/compare_windows.sh shows the Linux window's exercise on Vendaro.exe with it.
  vendaro_windows_tool(vendaro_set_captions SetCaptions ${PROJECT_SOURCE_DIR}/bench/set_captions_win.cpp)
endif()
