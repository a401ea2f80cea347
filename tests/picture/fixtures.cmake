# JPEG pictures for the picture tests, made at build time into tests/fixtures (orient_8.jpg last).
add_custom_command(OUTPUT ${TEST_DIR}/fixtures/orient_8.jpg
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures ${TEST_DIR}/fixtures
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures COMMENT "Making the test pictures")
add_custom_target(PictureFixtures DEPENDS ${TEST_DIR}/fixtures/orient_8.jpg)
add_dependencies(test_picture PictureFixtures)
