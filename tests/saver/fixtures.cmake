# The image set of the slideshow tests, made at build time into tests/fixtures/saver.
set(SAVER_FIXTURE_DIR ${TEST_DIR}/fixtures/saver)
set(SAVER_FIXTURES ${SAVER_FIXTURE_DIR}/A/01_Grey_50.jpg ${SAVER_FIXTURE_DIR}/A/04_Grey_200.jpg)
add_custom_command(OUTPUT ${SAVER_FIXTURES}
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures ${SAVER_FIXTURE_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures
  COMMENT "Making the slideshow test pictures")
add_custom_target(SaverFixtures DEPENDS ${SAVER_FIXTURES})
if(TARGET test_saver)
  add_dependencies(test_saver SaverFixtures)
endif()

# The real saver on two monitors, on a display of its own (scripts/check-two-monitors).
if(TARGET test_saver)
  add_test(NAME saver_two_monitors
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-two-monitors ${CMAKE_BINARY_DIR}/two-monitors.png)
  set_tests_properties(saver_two_monitors PROPERTIES TIMEOUT 300 ENVIRONMENT "BUILD_DIR=${CMAKE_BINARY_DIR}")
endif()

# The real wallpaper changer on two monitors, on a display of its own
# (scripts/check-two-monitor-wallpaper); it uses the slideshow's test set.
if(TARGET test_wallpaper)
  add_test(NAME wallpaper_two_monitors
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-two-monitor-wallpaper ${CMAKE_BINARY_DIR}/two-monitor-wallpaper.png)
  set_tests_properties(wallpaper_two_monitors PROPERTIES TIMEOUT 300 ENVIRONMENT "BUILD_DIR=${CMAKE_BINARY_DIR}")
  add_dependencies(test_wallpaper SaverFixtures)
endif()
