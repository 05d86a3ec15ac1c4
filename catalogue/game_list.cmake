# The game list of the step-one page: pure name matching, and the list's
# routines on the main window.
target_sources(vantrel_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/name_match.cpp)
vantrel_test(catalogue_name_match_test ${CMAKE_CURRENT_LIST_DIR}/tests/name_match_test.cpp)

if(WIN32)
  target_sources(vantrel_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/game_list.cpp)
endif()
if(WIN32)
  vantrel_test(catalogue_game_list_window_test
               ${CMAKE_CURRENT_LIST_DIR}/tests/game_list_window_test.cpp
               ${CMAKE_SOURCE_DIR}/app/tests/app_fixture.cpp WINDOWS)
endif()

# The game list's fill, search and click on a large catalogue, in the real
# main window. Run by hand under Wine with a display; not a test.
if(WIN32 AND VANTREL_BUILD_TESTS)
  add_executable(game_list_bench ${CMAKE_CURRENT_LIST_DIR}/bench/game_list_bench.cpp)
  target_link_libraries(game_list_bench PRIVATE vantrel_win)
  set_target_properties(game_list_bench PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/game_list_bench)
endif()
