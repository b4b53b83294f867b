file(REMOVE_RECURSE
  "CMakeFiles/centrafix.dir/main.cpp.o"
  "CMakeFiles/centrafix.dir/main.cpp.o.d"
  "centrafix"
  "centrafix.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
