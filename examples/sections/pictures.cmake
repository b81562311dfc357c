# Draws sections and a break line with kwutil and looks for their points in the SVG pictures.
function(draw name)
  execute_process(COMMAND ${KWUTIL} ${ARGN} -o ${WORK}/${name}.svg RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "kwutil ${ARGN} failed (${status}): ${err}")
  endif()
  file(READ ${WORK}/${name}.svg svg)
  set(svg "${svg}" PARENT_SCOPE)
endfunction()

function(expect text)
  string(FIND "${svg}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the picture lacks ${text}:\n${svg}")
  endif()
endfunction()

# The H: a closed outline from the top left corner down the left side and up the right.
draw(h section H --dims 200,8,200,12,300,12)
expect("points=\"-100,150 -100,138 ")
expect(" -100,-150 100,-150 ")
expect(" 100,150 -100,150\"")

# The box: outer and inner ring, turned and moved.
draw(o section O --dims 10,200,20,15,300,25 --at 1000,500 --angle 1.5707963705)
string(REGEX MATCHALL "<polyline" rings "${svg}")
list(LENGTH rings count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "the box has ${count} rings instead of 2")
endif()
expect("points=\"850,400 ")

# The break line 100 long: ends overrun by 80, peaks 60 off the line.
draw(b breakline 0,0 100,0)
expect(" 30,60 70,-60 90,0 180,0\"")

execute_process(COMMAND ${KWUTIL} section H --dims 1,x -o ${WORK}/bad.svg RESULT_VARIABLE status ERROR_QUIET)
if(status EQUAL 0)
  message(FATAL_ERROR "a dimension that is not a number was accepted")
endif()
