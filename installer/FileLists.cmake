# Writes the installer's include files that install and remove the image sets, picture by
# picture, so that the uninstaller removes exactly what setup put there and leaves the
# user's own pictures. Run as: cmake -DBIN_DIR=... -DGEN_DIR=... -P FileLists.cmake
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/ProductFiles.cmake)

set(install "")
set(remove "")
set(folders "")
foreach(picture ${PRODUCT_PICTURES})
  get_filename_component(folder ${picture} DIRECTORY)
  string(REPLACE "/" "\\" folder_win ${folder})
  string(REPLACE "/" "\\" picture_win ${picture})
  if(NOT folder IN_LIST folders)
    list(APPEND folders ${folder})
    string(APPEND install "SetOutPath \"$INSTDIR\\${folder_win}\"\n")
  endif()
  string(APPEND install "File \"${BIN_DIR}/${picture}\"\n")
  string(APPEND remove "Delete /REBOOTOK \"$INSTDIR\\${picture_win}\"\n")
endforeach()
foreach(folder ${folders})
  string(REPLACE "/" "\\" folder_win ${folder})
  string(APPEND remove "RMDir \"$INSTDIR\\${folder_win}\"\n")
endforeach()
if(NOT folders)
  message(FATAL_ERROR "No image sets in ${BIN_DIR}/Images")
endif()

# Written only when changed, so that makensis runs again only for new pictures.
foreach(list install remove)
  file(WRITE ${GEN_DIR}/${list}.tmp "${${list}}")
  configure_file(${GEN_DIR}/${list}.tmp ${GEN_DIR}/${list}-images.nsh COPYONLY)
endforeach()
