# Empty compiler generated dependencies file for centrafix_widgets_test_main.
# This may be replaced when dependencies are built.
