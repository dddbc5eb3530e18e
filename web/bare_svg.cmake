# bare_svg(<file> <variable>): the drawing in <file> without what only its readers need, the XML
# declaration, the comments and the spaces between elements, none of which changes what a browser draws.
function(bare_svg file variable)
  file(READ ${file} svg)
  string(REGEX REPLACE "<\\?xml[^>]*>" "" svg "${svg}")
  string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" svg "${svg}")
  string(REGEX REPLACE ">[ \t\r\n]+<" "><" svg "${svg}")
  string(REGEX REPLACE "[ \t\r\n]+" " " svg "${svg}")
  string(STRIP "${svg}" svg)
  set(${variable} "${svg}" PARENT_SCOPE)
endfunction()

# As a script: writes OUT, the drawing IN made bare.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  bare_svg(${IN} svg)
  file(WRITE ${OUT} "${svg}")
endif()
