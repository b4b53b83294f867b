file(REMOVE_RECURSE
  "CMakeFiles/centrafix_metafile_builder.dir/support/metafile_builder.cpp.o"
  "CMakeFiles/centrafix_metafile_builder.dir/support/metafile_builder.cpp.o.d"
  "libcentrafix_metafile_builder.a"
  "libcentrafix_metafile_builder.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_metafile_builder.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
