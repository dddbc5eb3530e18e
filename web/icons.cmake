# The manifest's icons, drawn from the program's icon into ${site}, and added to site_files.
set(program_icon ${PROJECT_SOURCE_DIR}/assets/program_icon.svg)
add_custom_command(OUTPUT maskable_icon.svg
  COMMAND ${CMAKE_COMMAND} -DICON=${program_icon} -DOUT=maskable_icon.svg -P ${CMAKE_CURRENT_SOURCE_DIR}/maskable_icon.cmake
  DEPENDS ${program_icon} maskable_icon.cmake
  VERBATIM)
# Sixteen colours draw the flat icon as well as millions, in a fifth of the bytes.
function(vendaro_icon source size name)
  add_custom_command(OUTPUT ${site}/${name}
    COMMAND ${VENDARO_RSVG_CONVERT} -w ${size} -h ${size} -o ${name} ${source}
    COMMAND ${VENDARO_PNGQUANT} --force --strip --speed 1 --output ${site}/${name} 16 -- ${name}
    DEPENDS ${source}
    VERBATIM)
  set(site_files ${site_files} ${site}/${name} PARENT_SCOPE)
endfunction()
vendaro_icon(${program_icon} 192 icon_192.png)
vendaro_icon(${program_icon} 512 icon_512.png)
vendaro_icon(${CMAKE_CURRENT_BINARY_DIR}/maskable_icon.svg 512 maskable_icon_512.png)
