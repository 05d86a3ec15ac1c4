target_sources(vantrel_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/name_match.cpp)
vantrel_test(catalogue_name_match_test ${CMAKE_CURRENT_LIST_DIR}/tests/name_match_test.cpp)
