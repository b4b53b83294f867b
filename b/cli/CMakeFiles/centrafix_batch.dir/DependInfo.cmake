
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/cli/batch_files.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_files.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_files.cpp.o.d"
  "/work/main/cli/batch_observer.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_observer.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_observer.cpp.o.d"
  "/work/main/cli/batch_option_set.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_option_set.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_option_set.cpp.o.d"
  "/work/main/cli/batch_options.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_options.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_options.cpp.o.d"
  "/work/main/cli/batch_output.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_output.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_output.cpp.o.d"
  "/work/main/cli/batch_run.cpp" "cli/CMakeFiles/centrafix_batch.dir/batch_run.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/batch_run.cpp.o.d"
  "/work/main/cli/console.cpp" "cli/CMakeFiles/centrafix_batch.dir/console.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/console.cpp.o.d"
  "/work/main/cli/parser_complaint.cpp" "cli/CMakeFiles/centrafix_batch.dir/parser_complaint.cpp.o" "gcc" "cli/CMakeFiles/centrafix_batch.dir/parser_complaint.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/picture/CMakeFiles/centrafix_picture.dir/DependInfo.cmake"
  "/work/main/b/engine/CMakeFiles/centrafix_engine.dir/DependInfo.cmake"
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  "/work/main/b/resources/CMakeFiles/centrafix_example.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
