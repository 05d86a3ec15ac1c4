# The game list of the step-one page: pure name matching, and the list's
# routines on the main window.
target_sources(vantrel_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/name_match.cpp)
vantrel_test(catalogue_name_match_test ${CMAKE_CURRENT_LIST_DIR}/tests/name_match_test.cpp)

if(WIN32)
  target_sources(vantrel_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/game_list.cpp)
endif()
