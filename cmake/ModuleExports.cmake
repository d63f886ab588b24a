# Export definitions of the DLLs. Each .def file names the x86 symbols, whose
# standard-call names carry the argument size ("Name@12"); an x64 build has
# one calling convention and undecorated symbols, so it links a copy of the
# file with the sizes taken off. The exported names are the same for both.
function(ostrivan_exports target def_file)
  get_filename_component(def_path ${def_file} ABSOLUTE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(READ ${def_path} text)
    string(REGEX REPLACE "@[0-9]+" "" text "${text}")
    get_filename_component(def_name ${def_path} NAME)
    set(def_path ${CMAKE_CURRENT_BINARY_DIR}/${target}-x64-${def_name})
    file(GENERATE OUTPUT ${def_path} CONTENT "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
  endif()
  target_sources(${target} PRIVATE ${def_path})
endfunction()

# MinGW's x64 import library of comctl32 lacks GetWindowSubclass, which
# Windows' comctl32 exports by name; an import library of its own supplies
# it (target comctl32_extra, empty where nothing is missing).
function(ostrivan_comctl32_extra)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    find_program(OSTRIVAN_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)
    set(lib ${CMAKE_BINARY_DIR}/comctl32_extra/libcomctl32_extra.a)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/comctl32_extra
      COMMAND ${OSTRIVAN_DLLTOOL} --input-def ${PROJECT_SOURCE_DIR}/cmake/comctl32-extra.def --output-lib ${lib}
      DEPENDS ${PROJECT_SOURCE_DIR}/cmake/comctl32-extra.def VERBATIM)
    add_custom_target(comctl32_extra_lib DEPENDS ${lib})
    add_library(comctl32_extra INTERFACE)
    add_dependencies(comctl32_extra comctl32_extra_lib)
    target_link_libraries(comctl32_extra INTERFACE ${lib})
  else()
    add_library(comctl32_extra INTERFACE)
  endif()
endfunction()
