# The captions' face, made into ${CMAKE_CURRENT_BINARY_DIR}/fonts/tahomabd.ttf
# (VENDARO_FONT) from Wine's metric-compatible Tahoma Bold (Debian: fonts-wine)
# with heavier outlines, by FontForge (Debian: fontforge-nox); for Windows with
# VENDARO_FACE_FOR_WINDOWS (embolden_font.py says what changes).
find_file(VENDARO_TAHOMA_BOLD tahomabd.ttf
  PATHS /usr/share/wine/fonts /usr/share/fonts/truetype/wine
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Wine's Tahoma Bold, which the drill's face is made from")
find_program(VENDARO_FONTFORGE fontforge NO_CMAKE_FIND_ROOT_PATH DOC "FontForge, which makes the drill's face")
if(NOT VENDARO_TAHOMA_BOLD OR NOT VENDARO_FONTFORGE)
  message(FATAL_ERROR "tahomabd.ttf or fontforge not found: install Debian's fonts-wine and fontforge-nox")
endif()
set(face_options "")
if(VENDARO_FACE_FOR_WINDOWS)
  set(face_options --windows)
endif()
set(VENDARO_FONT ${CMAKE_CURRENT_BINARY_DIR}/fonts/tahomabd.ttf)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fonts)
add_custom_command(
  OUTPUT ${VENDARO_FONT}
  COMMAND ${VENDARO_FONTFORGE} -quiet -lang=py -script ${PROJECT_SOURCE_DIR}/assets/embolden_font.py
          ${VENDARO_TAHOMA_BOLD} ${VENDARO_FONT} ${face_options}
  DEPENDS ${PROJECT_SOURCE_DIR}/assets/embolden_font.py ${VENDARO_TAHOMA_BOLD}
  COMMENT "Making the captions' face from Wine's Tahoma Bold"
  VERBATIM)
