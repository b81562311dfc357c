# kwutil settings --script end to end, in a private home: a .LIN import saved through the
# line-type dialog is found by a later query; the drawing mode is set; a bad script fails.
include(${CMAKE_CURRENT_LIST_DIR}/KwutilCommon.cmake)
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/config ${WORK}/etc ${WORK}/data)
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
set(ENV{XDG_CONFIG_DIRS} ${WORK}/etc)
set(ENV{XDG_DATA_HOME} ${WORK}/data)

file(WRITE ${WORK}/import.txt "dialog 2003\nrightclick 1 1\nmenu 导入AutoCad线型\nfile \"${LIN}\"\nok\n")
kwutil(0 settings linetype --script ${WORK}/import.txt)
kwutil(0 linetype BORDERX2)

file(WRITE ${WORK}/mode.txt "dialog 2012\nradio 图纸空间模式\nok\n")
kwutil(0 settings mode --script ${WORK}/mode.txt)
file(WRITE ${WORK}/mode.txt "radio 模型空间模式\nok\n")
kwutil(0 settings mode --script ${WORK}/mode.txt)
kwutil(0 params)
if(NOT last_output MATCHES "drawing mode: 2008")
  message(FATAL_ERROR "the drawing mode was not stored:\n${last_output}")
endif()

file(WRITE ${WORK}/bad.txt "click 没有这个按钮\nok\n")
kwutil(1 settings layer --script ${WORK}/bad.txt)
kwutil(3 settings layer)
