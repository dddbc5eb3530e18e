# Vendaro-1.00.msi: Vendaro.exe as schools deploy it, made with msitools' wixl
# from packaging/vendaro.wxs.in. Included by win/CMakeLists.txt.
find_program(VENDARO_WIXL wixl NO_CMAKE_FIND_ROOT_PATH DOC "builds the Windows Installer package")
find_program(VENDARO_MSIBUILD msibuild NO_CMAKE_FIND_ROOT_PATH DOC "edits the package's summary")
if(NOT VENDARO_WIXL OR NOT VENDARO_MSIBUILD)
  message(FATAL_ERROR "wixl or msibuild not found: install Debian's wixl and msitools")
endif()

# Windows Installer compares major.minor.build as numbers: 1.00 is 1.0.0, 1.01 is 1.1.0.
set(VENDARO_MSI_VERSION ${VENDARO_VERSION_MAJOR}.${VENDARO_VERSION_MINOR}.0)
configure_file(${PROJECT_SOURCE_DIR}/packaging/vendaro.wxs.in vendaro.wxs @ONLY)

set(msi ${CMAKE_BINARY_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}.msi)
set(wxs ${CMAKE_CURRENT_BINARY_DIR}/vendaro.wxs)
# wixl finds files only by paths relative to the .wxs, and writes the package's
# language in the summary as 1033 whatever the product's: msibuild makes it
# Italian. Built under another name first, so a failed step leaves no package.
add_custom_command(OUTPUT ${msi}
  COMMAND ${VENDARO_WIXL} --arch x86 -o ${msi}.part
    -D Exe=$<PATH:RELATIVE_PATH,$<TARGET_FILE:vendaro_exe>,${CMAKE_CURRENT_BINARY_DIR}> ${wxs}
  COMMAND ${VENDARO_MSIBUILD} ${msi}.part -s "${PROJECT_NAME} ${PROJECT_VERSION}" ${PROJECT_NAME} "Intel$<SEMICOLON>1040"
  COMMAND ${CMAKE_COMMAND} -E rename ${msi}.part ${msi}
  DEPENDS vendaro_exe ${wxs}
  COMMENT "Packing ${PROJECT_NAME}-${PROJECT_VERSION}.msi"
  VERBATIM)
add_custom_target(vendaro_msi ALL DEPENDS ${msi})
