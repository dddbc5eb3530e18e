# The tools that make the site smaller: Debian's Python with fontTools and Brotli (python3-fonttools,
# python3-brotli) to subset the face and pack it as WOFF2, rsvg-convert (librsvg2-bin) and pngquant
# to draw the icons, esbuild to bundle the page's modules into one, and the closure compiler
# emscripten 3.1.6 was made with, from npm (web/closure, installed by scripts/web.sh).
find_program(VENDARO_FONTTOOLS_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Debian's Python 3, which has fontTools")
find_program(VENDARO_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH DOC "draws the icons")
find_program(VENDARO_PNGQUANT pngquant NO_CMAKE_FIND_ROOT_PATH DOC "shrinks the icons")
find_program(VENDARO_ESBUILD esbuild NO_CMAKE_FIND_ROOT_PATH DOC "bundles the page's modules")
find_program(VENDARO_CLOSURE_COMPILER google-closure-compiler
  PATHS ${CMAKE_CURRENT_LIST_DIR}/closure/node_modules/.bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "the closure compiler, from npm")
if(NOT VENDARO_FONTTOOLS_PYTHON OR NOT VENDARO_RSVG_CONVERT OR NOT VENDARO_PNGQUANT OR NOT VENDARO_ESBUILD OR NOT VENDARO_CLOSURE_COMPILER)
  message(FATAL_ERROR "A tool of the site is missing: install Debian's python3-fonttools, python3-brotli, "
                      "librsvg2-bin, pngquant and esbuild, and run npm ci --prefix web/closure (scripts/web.sh does both)")
endif()
