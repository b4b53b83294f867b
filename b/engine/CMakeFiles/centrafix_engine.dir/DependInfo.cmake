
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/engine/analysis_run.cpp" "engine/CMakeFiles/centrafix_engine.dir/analysis_run.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/analysis_run.cpp.o.d"
  "/work/main/engine/color_match.cpp" "engine/CMakeFiles/centrafix_engine.dir/color_match.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/color_match.cpp.o.d"
  "/work/main/engine/color_object.cpp" "engine/CMakeFiles/centrafix_engine.dir/color_object.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/color_object.cpp.o.d"
  "/work/main/engine/drag_report.cpp" "engine/CMakeFiles/centrafix_engine.dir/drag_report.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/drag_report.cpp.o.d"
  "/work/main/engine/error.cpp" "engine/CMakeFiles/centrafix_engine.dir/error.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/error.cpp.o.d"
  "/work/main/engine/eval_number.cpp" "engine/CMakeFiles/centrafix_engine.dir/eval_number.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/eval_number.cpp.o.d"
  "/work/main/engine/loading_table.cpp" "engine/CMakeFiles/centrafix_engine.dir/loading_table.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/loading_table.cpp.o.d"
  "/work/main/engine/message.cpp" "engine/CMakeFiles/centrafix_engine.dir/message.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/message.cpp.o.d"
  "/work/main/engine/number_text.cpp" "engine/CMakeFiles/centrafix_engine.dir/number_text.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/number_text.cpp.o.d"
  "/work/main/engine/object_measures.cpp" "engine/CMakeFiles/centrafix_engine.dir/object_measures.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/object_measures.cpp.o.d"
  "/work/main/engine/object_sweep.cpp" "engine/CMakeFiles/centrafix_engine.dir/object_sweep.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/object_sweep.cpp.o.d"
  "/work/main/engine/pass_masks.cpp" "engine/CMakeFiles/centrafix_engine.dir/pass_masks.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/pass_masks.cpp.o.d"
  "/work/main/engine/results_grid.cpp" "engine/CMakeFiles/centrafix_engine.dir/results_grid.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/results_grid.cpp.o.d"
  "/work/main/engine/string_table.cpp" "engine/CMakeFiles/centrafix_engine.dir/string_table.cpp.o" "gcc" "engine/CMakeFiles/centrafix_engine.dir/string_table.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
