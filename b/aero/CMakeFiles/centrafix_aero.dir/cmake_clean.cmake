file(REMOVE_RECURSE
  "CMakeFiles/centrafix_aero.dir/atmosphere.cpp.o"
  "CMakeFiles/centrafix_aero.dir/atmosphere.cpp.o.d"
  "CMakeFiles/centrafix_aero.dir/friction.cpp.o"
  "CMakeFiles/centrafix_aero.dir/friction.cpp.o.d"
  "libcentrafix_aero.a"
  "libcentrafix_aero.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_aero.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
