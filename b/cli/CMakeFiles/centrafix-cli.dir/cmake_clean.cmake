file(REMOVE_RECURSE
  "CMakeFiles/centrafix-cli.dir/main.cpp.o"
  "CMakeFiles/centrafix-cli.dir/main.cpp.o.d"
  "centrafix-cli"
  "centrafix-cli.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix-cli.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
