# The tests that run on Windows (under Wine in scripts/test): the file access
# and its error codes, the Lo file and catalogue formats, and the tools run
# as a user runs them, from cmd.exe. GoogleTest is built from Debian's
# sources for this system.
set(LO_GTEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest's sources")
add_subdirectory(${LO_GTEST_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(windows_tests
  errors/user_message_test.cpp
  platform/binary_file_test.cpp
  platform/windows_files_test.cpp
  datafiles/lo_compare_test.cpp
  datafiles/lo_document_test.cpp
  datafiles/lo_text_test.cpp
  datafiles/obj_catalogue_test.cpp
  tools/windows_tools_test.cpp
)
target_link_libraries(windows_tests PRIVATE lo_test_support gtest gtest_main lo_version)
add_dependencies(windows_tests ${LO_COMMAND_LINE_TOOLS})
add_custom_target(test_programs DEPENDS windows_tests)
