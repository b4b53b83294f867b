file(REMOVE_RECURSE
  "CMakeFiles/centrafix_cli_runner.dir/support/cli_runner.cpp.o"
  "CMakeFiles/centrafix_cli_runner.dir/support/cli_runner.cpp.o.d"
  "libcentrafix_cli_runner.a"
  "libcentrafix_cli_runner.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_cli_runner.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
