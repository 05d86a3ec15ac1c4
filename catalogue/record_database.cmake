# The catalogue file format, its reader and writer, and the record database
# engine over it.
target_sources(vantrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_database.cpp)

vantrel_test(catalogue_file_test ${CMAKE_CURRENT_LIST_DIR}/tests/catalogue_file_test.cpp)
vantrel_test(record_database_test ${CMAKE_CURRENT_LIST_DIR}/tests/record_database_test.cpp)

# Open time of a large catalogue against a plain read of the same file.
if(VANTREL_BUILD_TESTS)
  add_executable(catalogue_open_bench ${CMAKE_CURRENT_LIST_DIR}/bench/catalogue_open_bench.cpp)
  target_link_libraries(catalogue_open_bench PRIVATE vantrel_core)
endif()

# The sample catalogue packed into database.dat beside the programs. A cross
# build cannot run the cattool it builds, so it uses a native one named by
# VANTREL_HOST_CATTOOL (tools/build.sh passes build/native's).
set(VANTREL_HOST_CATTOOL "" CACHE FILEPATH "Native cattool that packs the sample catalogue for a Windows build")
set(sample_csv ${CMAKE_CURRENT_LIST_DIR}/sample/games.csv)
set(sample_database ${CMAKE_BINARY_DIR}/bin/database.dat)
if(NOT WIN32)
  set(pack_tool cattool)
elseif(VANTREL_HOST_CATTOOL)
  set(pack_tool ${VANTREL_HOST_CATTOOL})
endif()
if(pack_tool)
  add_custom_command(OUTPUT ${sample_database}
    COMMAND ${pack_tool} pack ${sample_csv} ${sample_database}
    DEPENDS ${sample_csv} ${pack_tool}
    COMMENT "Packing the sample catalogue into database.dat"
    VERBATIM)
  add_custom_target(sample_database ALL DEPENDS ${sample_database})
endif()
