file(REMOVE_RECURSE
  "CMakeFiles/centrafix_slow_tests.dir/slow/big_picture_test.cpp.o"
  "CMakeFiles/centrafix_slow_tests.dir/slow/big_picture_test.cpp.o.d"
  "centrafix_slow_tests"
  "centrafix_slow_tests.pdb"
  "centrafix_slow_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_slow_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
