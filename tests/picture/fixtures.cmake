# JPEG pictures for the picture tests, made at build time into tests/fixtures.
set(PICTURE_FIXTURE_DIR ${TEST_DIR}/fixtures)
set(PICTURE_FIXTURES
  ${PICTURE_FIXTURE_DIR}/halves_640x480.jpg ${PICTURE_FIXTURE_DIR}/halves_400x300.jpg
  ${PICTURE_FIXTURE_DIR}/green_1000x500.jpg ${PICTURE_FIXTURE_DIR}/green_40x200.jpg
  ${PICTURE_FIXTURE_DIR}/stripes_400x300.jpg ${PICTURE_FIXTURE_DIR}/orient_1.jpg ${PICTURE_FIXTURE_DIR}/orient_8.jpg)
add_custom_command(OUTPUT ${PICTURE_FIXTURES}
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures ${PICTURE_FIXTURE_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures
  COMMENT "Making the test pictures")
add_custom_target(PictureFixtures DEPENDS ${PICTURE_FIXTURES})
if(TARGET test_picture)
  add_dependencies(test_picture PictureFixtures)
endif()
