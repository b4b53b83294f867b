file(REMOVE_RECURSE
  "CMakeFiles/centrafix_shell_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/centrafix_shell_autogen.dir/ParseCache.txt"
  "centrafix_shell_autogen"
  "CMakeFiles/centrafix_shell.dir/analysis_session.cpp.o"
  "CMakeFiles/centrafix_shell.dir/analysis_session.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/centrafix_shell_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/centrafix_shell.dir/centrafix_shell_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/color_list_delegate.cpp.o"
  "CMakeFiles/centrafix_shell.dir/color_list_delegate.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/form1.cpp.o"
  "CMakeFiles/centrafix_shell.dir/form1.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/form1_layout.cpp.o"
  "CMakeFiles/centrafix_shell.dir/form1_layout.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/form1_results.cpp.o"
  "CMakeFiles/centrafix_shell.dir/form1_results.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/form1_run.cpp.o"
  "CMakeFiles/centrafix_shell.dir/form1_run.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/picture_view.cpp.o"
  "CMakeFiles/centrafix_shell.dir/picture_view.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/window_clipboard.cpp.o"
  "CMakeFiles/centrafix_shell.dir/window_clipboard.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/window_settings.cpp.o"
  "CMakeFiles/centrafix_shell.dir/window_settings.cpp.o.d"
  "CMakeFiles/centrafix_shell.dir/window_texts.cpp.o"
  "CMakeFiles/centrafix_shell.dir/window_texts.cpp.o.d"
  "libcentrafix_shell.a"
  "libcentrafix_shell.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_shell.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
