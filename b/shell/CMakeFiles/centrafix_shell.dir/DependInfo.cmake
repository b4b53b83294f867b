
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/shell/analysis_session.cpp" "shell/CMakeFiles/centrafix_shell.dir/analysis_session.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/analysis_session.cpp.o.d"
  "/work/main/b/shell/centrafix_shell_autogen/mocs_compilation.cpp" "shell/CMakeFiles/centrafix_shell.dir/centrafix_shell_autogen/mocs_compilation.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/centrafix_shell_autogen/mocs_compilation.cpp.o.d"
  "/work/main/shell/color_list_delegate.cpp" "shell/CMakeFiles/centrafix_shell.dir/color_list_delegate.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/color_list_delegate.cpp.o.d"
  "/work/main/shell/form1.cpp" "shell/CMakeFiles/centrafix_shell.dir/form1.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/form1.cpp.o.d"
  "/work/main/shell/form1_layout.cpp" "shell/CMakeFiles/centrafix_shell.dir/form1_layout.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/form1_layout.cpp.o.d"
  "/work/main/shell/form1_results.cpp" "shell/CMakeFiles/centrafix_shell.dir/form1_results.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/form1_results.cpp.o.d"
  "/work/main/shell/form1_run.cpp" "shell/CMakeFiles/centrafix_shell.dir/form1_run.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/form1_run.cpp.o.d"
  "/work/main/shell/picture_view.cpp" "shell/CMakeFiles/centrafix_shell.dir/picture_view.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/picture_view.cpp.o.d"
  "/work/main/shell/window_clipboard.cpp" "shell/CMakeFiles/centrafix_shell.dir/window_clipboard.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/window_clipboard.cpp.o.d"
  "/work/main/shell/window_settings.cpp" "shell/CMakeFiles/centrafix_shell.dir/window_settings.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/window_settings.cpp.o.d"
  "/work/main/shell/window_texts.cpp" "shell/CMakeFiles/centrafix_shell.dir/window_texts.cpp.o" "gcc" "shell/CMakeFiles/centrafix_shell.dir/window_texts.cpp.o.d"
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
