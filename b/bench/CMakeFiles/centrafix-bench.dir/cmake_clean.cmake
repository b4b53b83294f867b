file(REMOVE_RECURSE
  "CMakeFiles/centrafix-bench.dir/analysis_bench.cpp.o"
  "CMakeFiles/centrafix-bench.dir/analysis_bench.cpp.o.d"
  "centrafix-bench"
  "centrafix-bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix-bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
