# Writes OUT: the program's icon ICON on the board's colour, at half size in the middle,
# inside the circle that every launcher's mask keeps.
file(READ ${ICON} drawing)
string(REGEX REPLACE "<\\?xml[^>]*>" "" drawing "${drawing}")
file(WRITE ${OUT} "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">
<rect width=\"32\" height=\"32\" fill=\"#008080\"/>
<g transform=\"translate(8 8) scale(0.5)\">${drawing}</g>
</svg>
")
