file(REMOVE_RECURSE
  "CMakeFiles/centrafix_engine_tests.dir/aero/atmosphere_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/aero/atmosphere_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/aero/friction_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/aero/friction_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/analysis_run_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/analysis_run_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/drag_report_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/drag_report_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/eval_number_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/eval_number_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/loading_table_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/loading_table_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/number_text_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/number_text_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/object_sweep_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/object_sweep_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/pixel_scan_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/pixel_scan_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/results_grid_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/results_grid_test.cpp.o.d"
  "CMakeFiles/centrafix_engine_tests.dir/engine/string_table_test.cpp.o"
  "CMakeFiles/centrafix_engine_tests.dir/engine/string_table_test.cpp.o.d"
  "centrafix_engine_tests"
  "centrafix_engine_tests.pdb"
  "centrafix_engine_tests[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_engine_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
