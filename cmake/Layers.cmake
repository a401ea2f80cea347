# Layers: each folder of the library and of the program compiles as an OBJECT library
# whose only include root is a folder in the build tree holding links to the folders it may
# see: its own and those below it. An include of a folder above fails to compile
# ("No such file or directory").
set(LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# The include root of layer `name`: a link for each of FOLDERS and FILES, given as
# link-name=source pairs.
function(make_layer_root name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;FILES" ${ARGN})
  set(root ${LAYER_ROOTS}/${name})
  file(MAKE_DIRECTORY ${root})
  foreach(pair ${ARG_FOLDERS} ${ARG_FILES})
    string(REPLACE "=" ";" parts ${pair})
    list(GET parts 0 link)
    list(GET parts 1 target)
    # Made again when the sources moved since the last configure.
    set(current "")
    if(IS_SYMLINK ${root}/${link})
      file(READ_SYMLINK ${root}/${link} current)
    endif()
    if(NOT current STREQUAL target)
      file(REMOVE ${root}/${link})
      file(CREATE_LINK ${target} ${root}/${link} SYMBOLIC)
    endif()
  endforeach()
endfunction()

# A folder of the library: core/<name>/*.cpp seeing core/<name> and the core folders in
# BELOW (plus the library's resource ids and its export marker).
function(add_core_layer name)
  cmake_parse_arguments(ARG "" "" "BELOW" ${ARGN})
  set(folders)
  foreach(dir ${name} ${ARG_BELOW} res)
    list(APPEND folders ${dir}=${CMAKE_SOURCE_DIR}/core/${dir})
  endforeach()
  make_layer_root(${name} FOLDERS ${folders} FILES VntApi.h=${CMAKE_SOURCE_DIR}/core/VntApi.h)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/core/${name}/*.cpp)
  add_library(vnt_${name} OBJECT ${sources})
  target_include_directories(vnt_${name} PRIVATE ${LAYER_ROOTS}/${name})
  target_compile_definitions(vnt_${name} PRIVATE VNT32_BUILD)
endfunction()
