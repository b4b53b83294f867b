
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/aero/atmosphere_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/aero/atmosphere_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/aero/atmosphere_test.cpp.o.d"
  "/work/main/tests/aero/friction_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/aero/friction_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/aero/friction_test.cpp.o.d"
  "/work/main/tests/engine/analysis_run_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/analysis_run_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/analysis_run_test.cpp.o.d"
  "/work/main/tests/engine/drag_report_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/drag_report_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/drag_report_test.cpp.o.d"
  "/work/main/tests/engine/eval_number_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/eval_number_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/eval_number_test.cpp.o.d"
  "/work/main/tests/engine/loading_table_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/loading_table_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/loading_table_test.cpp.o.d"
  "/work/main/tests/engine/number_text_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/number_text_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/number_text_test.cpp.o.d"
  "/work/main/tests/engine/object_sweep_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/object_sweep_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/object_sweep_test.cpp.o.d"
  "/work/main/tests/engine/pixel_scan_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/pixel_scan_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/pixel_scan_test.cpp.o.d"
  "/work/main/tests/engine/results_grid_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/results_grid_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/results_grid_test.cpp.o.d"
  "/work/main/tests/engine/string_table_test.cpp" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/string_table_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_engine_tests.dir/engine/string_table_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/engine/CMakeFiles/centrafix_engine.dir/DependInfo.cmake"
  "/work/main/b/tests/CMakeFiles/centrafix_test_raster.dir/DependInfo.cmake"
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
