# Checks that the build keeps the layers apart: from a layer's include folder, what it may see
# compiles and an include that points up (or into another subsystem's private headers) does not.
#   cmake -DCXX=<compiler> -DLAYERS=<build>/layers -DPUBLIC="<dir>;<dir>" -DWORK=<dir>
#         [-DSOURCES=<src>] -P CheckLayering.cmake
set(cases
  # layer      include                           must compile
  "drawpara   dao/Dao.h                         YES"
  "drawpara   registry/Registry.h               YES"
  "drawpara   dialog/Dialog.h                   NO"
  "drawpara   settings/LayerDialog.h            NO"
  "platform   dao/Dao.h                         NO"
  "platform   dialog/DialogRunner.h             NO"
  "platform   drawpara/LibraryStep.h            NO"
  "dao        platform/FileCopy.h               YES"
  "dao        registry/Registry.h               NO"
  "dao        dialog/Dialog.h                   NO"
  "registry   dao/Dao.h                         NO"
  "dialog     platform/Ui.h                     YES"
  "dialog     dao/Dao.h                         NO"
  "dialog     res/Resources.h                   NO"
  "res        dialog/DialogTemplate.h           YES"
  "geom       platform/Ui.h                     YES"
  "geom       dao/Dao.h                         NO"
  "geom       sheet/FrameSettings.h             NO"
  "settings   drawpara/LibraryStep.h            YES"
  "settings   drawpara/ParaIndex.h              NO"
  "sheet      geom/GeomConstants.h              NO"
  "sheet      drawpara/ParaMessages.h           NO"
  "tables     xdata/XDataEngine.h               NO"
  "xdata      geom/GeomConstants.h              NO"
  "engine     base/XDataWordCodec.h             YES"
  "engine     platform/Ui.h                     NO"
  "engine     dao/Dao.h                         NO")
file(MAKE_DIRECTORY ${WORK})
set(flags -std=c++20 -fsyntax-only)
foreach(dir IN LISTS PUBLIC)
  list(APPEND flags -I${dir})
endforeach()
set(failures 0)
foreach(case IN LISTS cases)
  string(REGEX MATCHALL "[^ ]+" parts "${case}")
  list(GET parts 0 layer)
  list(GET parts 1 header)
  list(GET parts 2 expected)
  string(MAKE_C_IDENTIFIER "${layer}_${header}" name)
  file(WRITE ${WORK}/${name}.cpp "#include \"${header}\"\n")
  execute_process(COMMAND ${CXX} ${flags} -I${LAYERS}/${layer} ${WORK}/${name}.cpp
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(expected STREQUAL "YES" AND NOT rc EQUAL 0)
    message(SEND_ERROR "${layer} may include ${header}, but it does not compile:\n${err}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "NO" AND (rc EQUAL 0 OR NOT err MATCHES "No such file"))
    message(SEND_ERROR "${layer} must not see ${header}, yet it is found")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
# An include written as a relative path ("../drawpara/X.h") would reach past the include folders
# from any layer: the library's sources name what they include from their layer root.
if(SOURCES)
  file(GLOB_RECURSE library_files ${SOURCES}/*.h ${SOURCES}/*.cpp)
  foreach(f IN LISTS library_files)
    file(STRINGS ${f} relative REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.")
    if(relative)
      file(RELATIVE_PATH shown ${SOURCES} ${f})
      message(SEND_ERROR "${shown} includes by a relative path: ${relative}")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endif()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} layering checks failed")
endif()
