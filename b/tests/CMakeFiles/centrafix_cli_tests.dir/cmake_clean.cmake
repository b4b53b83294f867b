file(REMOVE_RECURSE
  "CMakeFiles/centrafix_cli_tests.dir/cli/cli_test.cpp.o"
  "CMakeFiles/centrafix_cli_tests.dir/cli/cli_test.cpp.o.d"
  "CMakeFiles/centrafix_cli_tests.dir/cli/golden_test.cpp.o"
  "CMakeFiles/centrafix_cli_tests.dir/cli/golden_test.cpp.o.d"
  "CMakeFiles/centrafix_cli_tests.dir/cli/output_files_test.cpp.o"
  "CMakeFiles/centrafix_cli_tests.dir/cli/output_files_test.cpp.o.d"
  "centrafix_cli_tests"
  "centrafix_cli_tests.pdb"
  "centrafix_cli_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_cli_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
