
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/picture/atomic_file.cpp" "picture/CMakeFiles/centrafix_picture.dir/atomic_file.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/atomic_file.cpp.o.d"
  "/work/main/picture/bitmap_file.cpp" "picture/CMakeFiles/centrafix_picture.dir/bitmap_file.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/bitmap_file.cpp.o.d"
  "/work/main/picture/bmp_header.cpp" "picture/CMakeFiles/centrafix_picture.dir/bmp_header.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/bmp_header.cpp.o.d"
  "/work/main/b/picture/centrafix_picture_autogen/mocs_compilation.cpp" "picture/CMakeFiles/centrafix_picture.dir/centrafix_picture_autogen/mocs_compilation.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/centrafix_picture_autogen/mocs_compilation.cpp.o.d"
  "/work/main/picture/clipboard_picture.cpp" "picture/CMakeFiles/centrafix_picture.dir/clipboard_picture.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/clipboard_picture.cpp.o.d"
  "/work/main/picture/picture_area.cpp" "picture/CMakeFiles/centrafix_picture.dir/picture_area.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/picture_area.cpp.o.d"
  "/work/main/picture/picture_load.cpp" "picture/CMakeFiles/centrafix_picture.dir/picture_load.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/picture_load.cpp.o.d"
  "/work/main/picture/picture_ops.cpp" "picture/CMakeFiles/centrafix_picture.dir/picture_ops.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/picture_ops.cpp.o.d"
  "/work/main/picture/picture_source.cpp" "picture/CMakeFiles/centrafix_picture.dir/picture_source.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/picture_source.cpp.o.d"
  "/work/main/picture/raster_drawing.cpp" "picture/CMakeFiles/centrafix_picture.dir/raster_drawing.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/raster_drawing.cpp.o.d"
  "/work/main/picture/result_plot.cpp" "picture/CMakeFiles/centrafix_picture.dir/result_plot.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/result_plot.cpp.o.d"
  "/work/main/picture/wmf_blit.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_blit.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_blit.cpp.o.d"
  "/work/main/picture/wmf_bounds.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_bounds.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_bounds.cpp.o.d"
  "/work/main/picture/wmf_dib.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_dib.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_dib.cpp.o.d"
  "/work/main/picture/wmf_drawing.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_drawing.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_drawing.cpp.o.d"
  "/work/main/picture/wmf_player.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_player.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_player.cpp.o.d"
  "/work/main/picture/wmf_record_player.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_record_player.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_record_player.cpp.o.d"
  "/work/main/picture/wmf_records.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_records.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_records.cpp.o.d"
  "/work/main/picture/wmf_state.cpp" "picture/CMakeFiles/centrafix_picture.dir/wmf_state.cpp.o" "gcc" "picture/CMakeFiles/centrafix_picture.dir/wmf_state.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/engine/CMakeFiles/centrafix_engine.dir/DependInfo.cmake"
  "/work/main/b/resources/CMakeFiles/centrafix_example.dir/DependInfo.cmake"
  "/work/main/b/aero/CMakeFiles/centrafix_aero.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
