# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/b/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/b/tests/centrafix_engine_tests[1]_include.cmake")
include("/work/main/b/tests/centrafix_picture_tests[1]_include.cmake")
include("/work/main/b/tests/centrafix_cli_tests[1]_include.cmake")
include("/work/main/b/tests/centrafix_shell_tests[1]_include.cmake")
include("/work/main/b/tests/centrafix_slow_tests[1]_include.cmake")
