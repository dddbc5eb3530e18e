# Writes OUT: the drawing IN without what only its readers need, the XML declaration, the comments
# and the spaces between elements, none of which changes what a browser draws.
file(READ ${IN} svg)
string(REGEX REPLACE "<\\?xml[^>]*>" "" svg "${svg}")
string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" svg "${svg}")
string(REGEX REPLACE ">[ \t\r\n]+<" "><" svg "${svg}")
string(REGEX REPLACE "[ \t\r\n]+" " " svg "${svg}")
string(STRIP "${svg}" svg)
file(WRITE ${OUT} "${svg}")
