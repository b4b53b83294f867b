file(REMOVE_RECURSE
  "CMakeFiles/centrafix_engine.dir/analysis_run.cpp.o"
  "CMakeFiles/centrafix_engine.dir/analysis_run.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/color_match.cpp.o"
  "CMakeFiles/centrafix_engine.dir/color_match.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/color_object.cpp.o"
  "CMakeFiles/centrafix_engine.dir/color_object.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/drag_report.cpp.o"
  "CMakeFiles/centrafix_engine.dir/drag_report.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/error.cpp.o"
  "CMakeFiles/centrafix_engine.dir/error.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/eval_number.cpp.o"
  "CMakeFiles/centrafix_engine.dir/eval_number.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/loading_table.cpp.o"
  "CMakeFiles/centrafix_engine.dir/loading_table.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/message.cpp.o"
  "CMakeFiles/centrafix_engine.dir/message.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/number_text.cpp.o"
  "CMakeFiles/centrafix_engine.dir/number_text.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/object_measures.cpp.o"
  "CMakeFiles/centrafix_engine.dir/object_measures.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/object_sweep.cpp.o"
  "CMakeFiles/centrafix_engine.dir/object_sweep.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/pass_masks.cpp.o"
  "CMakeFiles/centrafix_engine.dir/pass_masks.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/results_grid.cpp.o"
  "CMakeFiles/centrafix_engine.dir/results_grid.cpp.o.d"
  "CMakeFiles/centrafix_engine.dir/string_table.cpp.o"
  "CMakeFiles/centrafix_engine.dir/string_table.cpp.o.d"
  "libcentrafix_engine.a"
  "libcentrafix_engine.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_engine.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
