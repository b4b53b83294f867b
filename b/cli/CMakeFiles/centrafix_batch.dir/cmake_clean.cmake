file(REMOVE_RECURSE
  "CMakeFiles/centrafix_batch.dir/batch_files.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_files.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/batch_observer.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_observer.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/batch_option_set.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_option_set.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/batch_options.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_options.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/batch_output.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_output.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/batch_run.cpp.o"
  "CMakeFiles/centrafix_batch.dir/batch_run.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/console.cpp.o"
  "CMakeFiles/centrafix_batch.dir/console.cpp.o.d"
  "CMakeFiles/centrafix_batch.dir/parser_complaint.cpp.o"
  "CMakeFiles/centrafix_batch.dir/parser_complaint.cpp.o.d"
  "libcentrafix_batch.a"
  "libcentrafix_batch.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_batch.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
