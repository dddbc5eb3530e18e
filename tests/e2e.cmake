# End to end on a real X server: each test starts its own Xvfb (and xfwm4
# where a check needs a window manager), runs the built drill on it and
# drives it through XTEST.
find_package(X11 REQUIRED COMPONENTS Xtst Xfixes)

add_library(vendaro_e2e STATIC e2e/board_reading.cpp e2e/pupil.cpp e2e/x_session.cpp)
target_include_directories(vendaro_e2e PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(vendaro_e2e PRIVATE VENDARO_PROGRAM="$<TARGET_FILE:vendaro>")
target_link_libraries(vendaro_e2e PUBLIC Qt6::Gui PRIVATE X11::X11 X11::Xtst X11::Xfixes)
add_dependencies(vendaro_e2e vendaro)

set(e2e_tests test_e2e_window test_e2e_pupil)
# Memcheck cannot run a program built with AddressSanitizer.
if(NOT VENDARO_SANITIZE)
  list(APPEND e2e_tests test_e2e_memcheck)
endif()
foreach(name IN LISTS e2e_tests)
  vendaro_add_test(${name} SOURCES e2e/${name}.cpp LIBS vendaro_e2e)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS e2e)
endforeach()
if(TARGET test_e2e_memcheck)
  target_compile_definitions(test_e2e_memcheck PRIVATE
    VENDARO_VALGRIND_SUPPRESSIONS="${CMAKE_CURRENT_SOURCE_DIR}/e2e/valgrind.supp")
endif()
