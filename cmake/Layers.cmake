# The module's folders in their layer order, bottom up, as cmake/layers.txt
# lists them: OSTRIVAN_LAYER_FOLDERS. The layer check of the tests reads the
# same file (OSTRIVAN_LAYERS_FILE).
set(OSTRIVAN_LAYERS_FILE ${CMAKE_CURRENT_LIST_DIR}/layers.txt)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${OSTRIVAN_LAYERS_FILE})
file(STRINGS ${OSTRIVAN_LAYERS_FILE} layer_lines)
set(OSTRIVAN_LAYER_FOLDERS)
foreach(line IN LISTS layer_lines)
  string(REGEX REPLACE "#.*" "" line "${line}")
  string(STRIP "${line}" line)
  if(line)
    string(REGEX REPLACE "[ \t]+" ";" step_folders "${line}")
    list(APPEND OSTRIVAN_LAYER_FOLDERS ${step_folders})
  endif()
endforeach()
