# The catalogue file format, its reader and writer, and the record database
# engine over it.
target_sources(vantrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_database.cpp)

vantrel_test(catalogue_file_test ${CMAKE_CURRENT_LIST_DIR}/tests/catalogue_file_test.cpp)
vantrel_test(record_database_test ${CMAKE_CURRENT_LIST_DIR}/tests/record_database_test.cpp)

# Open time of a large catalogue against a plain read of the same file.
add_executable(catalogue_open_bench ${CMAKE_CURRENT_LIST_DIR}/bench/catalogue_open_bench.cpp)
target_link_libraries(catalogue_open_bench PRIVATE vantrel_core)
