file(REMOVE_RECURSE
  "CMakeFiles/centrafix_widgets_test_main.dir/support/qt_test_main.cpp.o"
  "CMakeFiles/centrafix_widgets_test_main.dir/support/qt_test_main.cpp.o.d"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/centrafix_widgets_test_main.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
