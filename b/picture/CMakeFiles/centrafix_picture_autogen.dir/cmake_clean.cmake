file(REMOVE_RECURSE
  "CMakeFiles/centrafix_picture_autogen"
  "centrafix_picture_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/centrafix_picture_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
