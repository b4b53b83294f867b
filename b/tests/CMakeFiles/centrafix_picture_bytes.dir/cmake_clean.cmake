file(REMOVE_RECURSE
  "CMakeFiles/centrafix_picture_bytes.dir/support/picture_bytes.cpp.o"
  "CMakeFiles/centrafix_picture_bytes.dir/support/picture_bytes.cpp.o.d"
  "libcentrafix_picture_bytes.a"
  "libcentrafix_picture_bytes.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_picture_bytes.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
