# kwutil xdata-edit and same-entity --script end to end on the example plan: the edits are saved
# into the drawing and read back by other commands; a failing script leaves the drawing as it was.
include(${CMAKE_CURRENT_LIST_DIR}/KwutilCommon.cmake)

kwutil(0 load ${PLAN} -o ${WORK}/plan.T)

# The first column's integer becomes 30.
file(WRITE ${WORK}/edit.txt "point -250 -100\nexpect caption \"XDATA MANAGE\"\nexpect cell 1 1 $KW_COLUM\n"
                            "expect cell 2 1 3\ncell 2 1 30\nclick 修改实体Xdata\nesc\n")
kwutil(0 xdata-edit ${WORK}/plan.T --script ${WORK}/edit.txt)
kwutil(0 xdata ${WORK}/plan.T)
if(NOT last_output MATCHES "integer 30" OR NOT last_output MATCHES "integer 4")
  message(FATAL_ERROR "the edited value is not in the drawing:\n${last_output}")
endif()

# A script that fails saves nothing.
file(WRITE ${WORK}/bad.txt "point -250 -100\ncell 2 1 77\nclick 修改实体Xdata\nclick nothing-like-this\nesc\n")
kwutil(1 xdata-edit ${WORK}/plan.T --script ${WORK}/bad.txt)
kwutil(0 xdata ${WORK}/plan.T)
if(last_output MATCHES "integer 77")
  message(FATAL_ERROR "a failed script changed the drawing")
endif()

# The four axis lines (same layer, line type, width and colour) turn colour 3; nothing else does.
file(WRITE ${WORK}/same.txt "point 5000 0\nexpect caption 同类实体编辑器:2,LINE\nexpect cell 3 1 180\n"
                            "colour 1 1 #00FF00\nclick 修改...\nesc\n")
kwutil(0 same-entity ${WORK}/plan.T --script ${WORK}/same.txt)
kwutil(0 dump ${WORK}/plan.T)
string(REGEX MATCHALL "line id=[0-9]+ layer=1 linetype=2 width=180 colour=3" recoloured "${last_output}")
list(LENGTH recoloured count)
if(NOT count EQUAL 4 OR NOT last_output MATCHES "line id=14 layer=3 width=250 colour=3")
  message(FATAL_ERROR "expected the four axis lines in colour 3:\n${last_output}")
endif()

kwutil(1 same-entity ${WORK}/plan.T)
