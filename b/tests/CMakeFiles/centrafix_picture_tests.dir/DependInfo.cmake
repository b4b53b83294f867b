
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/picture/example_picture_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/example_picture_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/example_picture_test.cpp.o.d"
  "/work/main/tests/picture/picture_area_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_area_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_area_test.cpp.o.d"
  "/work/main/tests/picture/picture_ops_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_ops_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_ops_test.cpp.o.d"
  "/work/main/tests/picture/picture_source_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_source_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/picture_source_test.cpp.o.d"
  "/work/main/tests/picture/result_plot_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/result_plot_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/result_plot_test.cpp.o.d"
  "/work/main/tests/picture/wmf_player_test.cpp" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/wmf_player_test.cpp.o" "gcc" "tests/CMakeFiles/centrafix_picture_tests.dir/picture/wmf_player_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/picture/CMakeFiles/centrafix_picture.dir/DependInfo.cmake"
  "/work/main/b/tests/CMakeFiles/centrafix_metafile_builder.dir/DependInfo.cmake"
  "/work/main/b/tests/CMakeFiles/centrafix_picture_bytes.dir/DependInfo.cmake"
  "/work/main/b/engine/CMakeFiles/centrafix_engine.dir/DependInfo.cmake"
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  "/work/main/b/resources/CMakeFiles/centrafix_example.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
