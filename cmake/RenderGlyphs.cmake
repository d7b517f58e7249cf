# Renders each SVG at every size to a 32-bpp BMP with premultiplied alpha, the form the program's bitmaps are copied
# from unchanged:
#   cmake -DRSVG= -DMAGICK= -DSVG_DIR= -DOUT= -DPREFIX= -DNAMES= -DSIZES= -P RenderGlyphs.cmake
# A size is N (N x N) or WxH; the output is OUT/PREFIX-name-size.bmp. bmp3:alpha keeps the plain 40-byte header with a
# fourth byte per pixel; the colour channels are multiplied by alpha here because ImageMagick stores straight alpha.
foreach(name IN LISTS NAMES)
  foreach(size IN LISTS SIZES)
    if(size MATCHES "^([0-9]+)x([0-9]+)$")
      set(width ${CMAKE_MATCH_1})
      set(height ${CMAKE_MATCH_2})
    else()
      set(width ${size})
      set(height ${size})
    endif()
    set(png ${OUT}/${PREFIX}-${name}-${size}.png)
    execute_process(COMMAND ${RSVG} -w ${width} -h ${height} -o ${png} ${SVG_DIR}/${name}.svg RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "rsvg-convert failed for ${name} at ${size} px")
    endif()
    execute_process(COMMAND ${MAGICK} ${png} -channel RGB -fx "u*u.a" +channel -type TrueColorAlpha
                            -define bmp3:alpha=true BMP3:${OUT}/${PREFIX}-${name}-${size}.bmp RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "ImageMagick failed for ${name} at ${size} px")
    endif()
  endforeach()
endforeach()
