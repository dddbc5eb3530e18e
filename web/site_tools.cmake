# The tools that make the site small: Debian's Python with fontTools and Brotli (python3-fonttools,
# python3-brotli) to subset the face and pack it as WOFF2 and to put the page together, rsvg-convert
# (librsvg2-bin) and pngquant to draw the icons, esbuild to bundle the page's modules into one, and the
# Node.js that emscripten runs on, to run the program that writes the board.
find_program(VENDARO_FONTTOOLS_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Debian's Python 3, which has fontTools")
find_program(VENDARO_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH DOC "draws the icons")
find_program(VENDARO_PNGQUANT pngquant NO_CMAKE_FIND_ROOT_PATH DOC "shrinks the icons")
find_program(VENDARO_ESBUILD esbuild NO_CMAKE_FIND_ROOT_PATH DOC "bundles the page's modules")
find_program(VENDARO_NODE NAMES node nodejs NO_CMAKE_FIND_ROOT_PATH DOC "runs the program that writes the board")
if(NOT VENDARO_FONTTOOLS_PYTHON OR NOT VENDARO_RSVG_CONVERT OR NOT VENDARO_PNGQUANT OR NOT VENDARO_ESBUILD OR NOT VENDARO_NODE)
  message(FATAL_ERROR "A tool of the site is missing: install Debian's python3-fonttools, python3-brotli, "
                      "librsvg2-bin, pngquant and esbuild (scripts/deps.sh web does)")
endif()
