# What a screen reader hears, and how the drill is installed.
vendaro_add_test(test_accessibility SOURCES test_accessibility.cpp LIBS vendaro_window)

find_program(VENDARO_WINDRES x86_64-w64-mingw32-windres)
find_program(VENDARO_CPP cpp)
vendaro_add_test(test_install_windows_resource SOURCES test_install_windows_resource.cpp LIBS Qt6::Gui)
add_dependencies(test_install_windows_resource vendaro_icons)
target_compile_definitions(test_install_windows_resource PRIVATE
  VENDARO_WINDRES="${VENDARO_WINDRES}"
  VENDARO_CPP="${VENDARO_CPP}"
  VENDARO_RC="${PROJECT_BINARY_DIR}/packaging/vendaro.rc"
  VENDARO_ICO="${PROJECT_BINARY_DIR}/packaging/icons/vendaro.ico")

# The package test installs the .deb on this machine; the sanitizer build would
# package a sanitized program, so it runs in the plain builds only.
if(NOT VENDARO_SANITIZE)
  vendaro_add_test(test_install_package SOURCES test_install_package.cpp LIBS vendaro_window)
  add_dependencies(test_install_package vendaro vendaro_icons)
  target_compile_definitions(test_install_package PRIVATE
    VENDARO_CPACK="${CMAKE_CPACK_COMMAND}"
    VENDARO_BINARY_DIR="${PROJECT_BINARY_DIR}"
    VENDARO_SCREENSHOT="${PROJECT_SOURCE_DIR}/packaging/screenshots/vendaro.png")
  set_tests_properties(test_install_package PROPERTIES TIMEOUT 900)
endif()
