# Packs the product files into the portable zip, without a top folder: Windows extracts
# into a folder named after the zip. Run as: cmake -DBIN_DIR=... -DZIP=... -P Zip.cmake
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/ProductFiles.cmake)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${PRODUCT_FILES}
                WORKING_DIRECTORY ${BIN_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Cannot make ${ZIP}: ${result}")
endif()
