# The application icon: one drawing (resources/quillon.svg, in the style of the toolbar's
# drawings) rendered at the sizes each system asks for, at build time with rsvg-convert: PNG
# files for the icon theme of the Linux desktop, and the Windows .ico (icotool).
set(QUILLON_APP_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/quillon.svg)

# Renders the drawing to <binary dir>/app-icon/NxN/quillon.png for each size; the files' paths
# go into `out_var`.
function(quillon_app_icon_pngs out_var)
  find_program(QUILLON_RSVG_CONVERT rsvg-convert REQUIRED)
  set(pngs)
  foreach(size ${ARGN})
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/app-icon/${size}x${size})
    add_custom_command(OUTPUT ${dir}/quillon.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${QUILLON_RSVG_CONVERT} -w ${size} -h ${size} -o ${dir}/quillon.png
              ${QUILLON_APP_ICON_SVG}
      DEPENDS ${QUILLON_APP_ICON_SVG} VERBATIM)
    list(APPEND pngs ${dir}/quillon.png)
  endforeach()
  set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()

# The Windows icon `ico`: 16 to 48 pixels as bitmaps (every Windows), 256 as PNG (Windows Vista
# and later show it in large icon views).
function(quillon_app_icon_ico ico)
  quillon_app_icon_pngs(small 16 24 32 48)
  quillon_app_icon_pngs(large 256)
  find_program(QUILLON_ICOTOOL icotool REQUIRED)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${QUILLON_ICOTOOL} -c -o ${ico} ${small} -r ${large}
    DEPENDS ${small} ${large} VERBATIM)
endfunction()
