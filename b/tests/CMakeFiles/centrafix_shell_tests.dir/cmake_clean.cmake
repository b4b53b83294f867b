file(REMOVE_RECURSE
  "CMakeFiles/centrafix_shell_tests.dir/shell/form1_test.cpp.o"
  "CMakeFiles/centrafix_shell_tests.dir/shell/form1_test.cpp.o.d"
  "CMakeFiles/centrafix_shell_tests.dir/shell/window_trust_test.cpp.o"
  "CMakeFiles/centrafix_shell_tests.dir/shell/window_trust_test.cpp.o.d"
  "centrafix_shell_tests"
  "centrafix_shell_tests.pdb"
  "centrafix_shell_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_shell_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
