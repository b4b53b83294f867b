file(REMOVE_RECURSE
  "CMakeFiles/centrafix_test_raster.dir/support/test_raster.cpp.o"
  "CMakeFiles/centrafix_test_raster.dir/support/test_raster.cpp.o.d"
  "libcentrafix_test_raster.a"
  "libcentrafix_test_raster.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_test_raster.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
