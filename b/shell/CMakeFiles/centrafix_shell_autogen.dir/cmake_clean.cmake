file(REMOVE_RECURSE
  "CMakeFiles/centrafix_shell_autogen"
  "centrafix_shell_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/centrafix_shell_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
