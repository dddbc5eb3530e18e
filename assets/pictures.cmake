# VENDARO_PICTURES: every picture of the drill, the SVG files of this folder,
# which the window compiles in and the page serves as they are.
file(GLOB VENDARO_PICTURES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.svg)
