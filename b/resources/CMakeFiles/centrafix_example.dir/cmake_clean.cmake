file(REMOVE_RECURSE
  "CMakeFiles/centrafix_example.dir/example_bitmap_data.cpp.o"
  "CMakeFiles/centrafix_example.dir/example_bitmap_data.cpp.o.d"
  "example_bitmap_data.cpp"
  "libcentrafix_example.a"
  "libcentrafix_example.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_example.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
