file(REMOVE_RECURSE
  "CMakeFiles/centrafix-make-example.dir/make_example.cpp.o"
  "CMakeFiles/centrafix-make-example.dir/make_example.cpp.o.d"
  "centrafix-make-example"
  "centrafix-make-example.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix-make-example.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
