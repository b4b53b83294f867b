
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/app/main.cpp" "app/CMakeFiles/centrafix.dir/main.cpp.o" "gcc" "app/CMakeFiles/centrafix.dir/main.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/shell/CMakeFiles/centrafix_shell.dir/DependInfo.cmake"
  "/work/main/b/picture/CMakeFiles/centrafix_picture.dir/DependInfo.cmake"
  "/work/main/b/engine/CMakeFiles/centrafix_engine.dir/DependInfo.cmake"
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  "/work/main/b/resources/CMakeFiles/centrafix_example.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
