file(REMOVE_RECURSE
  "CMakeFiles/centrafix_picture_tests.dir/picture/example_picture_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/example_picture_test.cpp.o.d"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_area_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_area_test.cpp.o.d"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_ops_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_ops_test.cpp.o.d"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_source_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/picture_source_test.cpp.o.d"
  "CMakeFiles/centrafix_picture_tests.dir/picture/result_plot_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/result_plot_test.cpp.o.d"
  "CMakeFiles/centrafix_picture_tests.dir/picture/wmf_player_test.cpp.o"
  "CMakeFiles/centrafix_picture_tests.dir/picture/wmf_player_test.cpp.o.d"
  "centrafix_picture_tests"
  "centrafix_picture_tests.pdb"
  "centrafix_picture_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_picture_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
