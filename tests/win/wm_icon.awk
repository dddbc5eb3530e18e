# _NET_WM_ICON as xprop prints it in 32c: width, height, then the ARGB pixels, icon after icon.
BEGIN { RS = ","; }
NR == 1 { sub(/.*= */, ""); }
{ v = $1 + 0 }
need == 0 { if (!w) { w = v; next } h = v; need = w * h; sizes = sizes " " w "x" h; w = 0; next }
{ need--; a = int(v / 16777216); r = int(v / 65536) % 256; g = int(v / 256) % 256; b = v % 256
  if (a > 0 && (r != g || g != b)) coloured = 1 }
END { print substr(sizes, 2), (coloured ? "in colour" : "in grey") }
