# JPEG pictures for the picture tests, made at build time into tests/fixtures (orient_8.jpg last).
set(PICTURE_FIXTURE_DIR ${TEST_DIR}/fixtures)
add_custom_command(OUTPUT ${PICTURE_FIXTURE_DIR}/orient_8.jpg
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures ${PICTURE_FIXTURE_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures COMMENT "Making the test pictures")
add_custom_target(PictureFixtures DEPENDS ${PICTURE_FIXTURE_DIR}/orient_8.jpg)
add_dependencies(test_picture PictureFixtures)
