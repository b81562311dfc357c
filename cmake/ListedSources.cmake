# Sources are listed by name in the CMakeLists.txt that builds them: what is built is a decision,
# not whatever lies in a folder. A .cpp file in a folder that its list does not name is refused at
# configure time, so that a new file cannot be left out unnoticed.

# ckw_listed_sources(VAR FOLDER file... [IGNORE file...]): VAR gets the files with FOLDER before
# each; FOLDER must hold no other .cpp file than those IGNORE names (built elsewhere).
function(ckw_listed_sources var folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "IGNORE")
  file(GLOB present RELATIVE ${folder} ${folder}/*.cpp)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST arg_UNPARSED_ARGUMENTS AND NOT file IN_LIST arg_IGNORE)
      file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${folder}/${file})
      message(FATAL_ERROR "${shown} is not listed in the CMakeLists.txt that builds its folder")
    endif()
  endforeach()
  set(sources)
  foreach(file IN LISTS arg_UNPARSED_ARGUMENTS)
    if(NOT EXISTS ${folder}/${file})
      message(FATAL_ERROR "${folder}/${file} is listed but does not exist")
    endif()
    list(APPEND sources ${folder}/${file})
  endforeach()
  set(${var} ${sources} PARENT_SCOPE)
endfunction()
