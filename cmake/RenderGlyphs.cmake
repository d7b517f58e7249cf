# Renders each glyph SVG at every scale to a 32-bpp BMP with premultiplied alpha, the form the program's glyph
# bitmaps are copied from unchanged:
#   cmake -DRSVG= -DMAGICK= -DSVG_DIR= -DOUT= -DNAMES= -DSIZES= -P RenderGlyphs.cmake
# bmp3:alpha keeps the plain 40-byte header with a fourth byte per pixel; the colour channels are multiplied by alpha
# here because ImageMagick stores straight alpha.
foreach(name IN LISTS NAMES)
  foreach(size IN LISTS SIZES)
    set(png ${OUT}/glyph-${name}-${size}.png)
    execute_process(COMMAND ${RSVG} -w ${size} -h ${size} -o ${png} ${SVG_DIR}/${name}.svg RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "rsvg-convert failed for ${name} at ${size} px")
    endif()
    execute_process(COMMAND ${MAGICK} ${png} -channel RGB -fx "u*u.a" +channel -type TrueColorAlpha
                            -define bmp3:alpha=true BMP3:${OUT}/glyph-${name}-${size}.bmp RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "ImageMagick failed for ${name} at ${size} px")
    endif()
  endforeach()
endforeach()
