# Renders one SVG to PNG files at several square sizes: cmake -DRSVG= -DSVG= -DOUT= -DSIZES= -P RenderSvg.cmake
foreach(size IN LISTS SIZES)
  execute_process(COMMAND ${RSVG} -w ${size} -h ${size} -o ${OUT}/ombrix-${size}.png ${SVG} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "rsvg-convert failed for ${size} px")
  endif()
endforeach()
