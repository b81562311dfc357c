# What kwutil draws for people to read: the sheet's title block filled in and, on request,
# upright on a portrait sheet; section and render pictures in a pen that shows, and on white
# paper with --light.
include(${CMAKE_CURRENT_LIST_DIR}/KwutilCommon.cmake)
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
set(ENV{XDG_CONFIG_DIRS} ${WORK}/etc)
set(ENV{XDG_DATA_HOME} ${WORK}/data)

function(expect_in text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no match for ${pattern} in\n${text}")
  endif()
endfunction()

# Every field the command knows, in the turned title block the drawing programs place.
kwutil(0 sheet -o ${WORK}/turned --sheet 3 --portrait --scale 50 --title-text 二层梁配筋图 --number 结施-05
       --date 2026-12-09)
kwutil(0 dump ${WORK}/turned.T)
foreach(field 二层梁配筋图 结施-05 1:50 2026-12-09)
  expect_in("${last_output}" "text=\"${field}\"" "turned title block")
endforeach()
expect_in("${last_output}" "insert [^\n]*,-90[,\n ]" "the title block stays turned by default")
# The layer the frame is drawn on carries the parameter library's name, as in the window.
expect_in("${last_output}" "layer-entry [^\n]*layer=7 [^\n]*text=\"图框\"" "the frame's layer name")

kwutil(0 sheet -o ${WORK}/upright --sheet 3 --portrait --upright-title --date 2026-12-09)
kwutil(0 dump ${WORK}/upright.T)
expect_in("${last_output}" "text=\"1:100\"" "upright title block")
if(last_output MATCHES "insert [^\n]*,-90[,\n ]")
  message(FATAL_ERROR "--upright-title left a turned block:\n${last_output}")
endif()

# A title block that cannot be read leaves the older drawing of that name as it was.
file(READ ${WORK}/upright.T before HEX)
kwutil(1 sheet -o ${WORK}/upright --title no-such-block.T)
file(READ ${WORK}/upright.T after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a sheet without its title block replaced the drawing")
endif()
# So does a parameter library that cannot be read.
file(RENAME ${WORK}/data/kelo/cfg ${WORK}/cfg-away)
file(MAKE_DIRECTORY ${WORK}/data/kelo/cfg)
kwutil(1 sheet -o ${WORK}/upright)
file(READ ${WORK}/upright.T after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a sheet drawn without the parameter library replaced the drawing")
endif()
file(REMOVE_RECURSE ${WORK}/data/kelo/cfg)
file(RENAME ${WORK}/cfg-away ${WORK}/data/kelo/cfg)

# Outlines: at least three pixels of the 1600-pixel picture (390 + margins across), on white.
kwutil(0 section H --dims 300,10,300,16,390,16 --light -o ${WORK}/h.svg)
file(READ ${WORK}/h.svg svg)
expect_in("${svg}" "fill=\"#fff\"" "light section picture")
string(REGEX MATCH "stroke=\"(#[0-9a-f]+)\" stroke-width=\"([0-9.]+)\"" stroke "${svg}")
if(NOT CMAKE_MATCH_2 GREATER_EQUAL 0.6 OR CMAKE_MATCH_1 STREQUAL "#ffffff" OR CMAKE_MATCH_1 STREQUAL "#00ffff")
  message(FATAL_ERROR "section outline stroke ${stroke} does not show on white")
endif()

kwutil(0 render ${WORK}/upright.T --light -o ${WORK}/upright.svg)
file(READ ${WORK}/upright.svg svg)
expect_in("${svg}" "fill=\"#fff\"" "light render")
if(svg MATCHES "stroke=\"#ffffff\"")
  message(FATAL_ERROR "white lines on white paper")
endif()
