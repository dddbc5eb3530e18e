# Writes OUT: the program's icon ICON on the board's colour, shrunk to 70 % about its middle so
# that even its farthest corner stays inside the circle every launcher's mask keeps (80 %).
file(READ ${ICON} drawing)
string(REGEX REPLACE "<\\?xml[^>]*>" "" drawing "${drawing}")
file(WRITE ${OUT} "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">
<rect width=\"32\" height=\"32\" fill=\"#008080\"/>
<g transform=\"translate(4.8 4.8) scale(0.7)\">${drawing}</g>
</svg>
")
