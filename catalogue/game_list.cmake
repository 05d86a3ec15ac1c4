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
