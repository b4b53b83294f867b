# Empty compiler generated dependencies file for centrafix_gui_test_main.
# This may be replaced when dependencies are built.
