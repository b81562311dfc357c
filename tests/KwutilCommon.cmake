# What the kwutil end-to-end scripts share: a clean work folder without a display, and
# kwutil(EXPECTED_STATUS ARGS...) that runs kwutil and keeps its output in last_output.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

function(kwutil expected)
  execute_process(COMMAND ${KWUTIL} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected)
    message(FATAL_ERROR "kwutil ${ARGN}: status ${status}, expected ${expected}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()
