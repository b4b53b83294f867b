# Empty compiler generated dependencies file for centrafix_picture_tests.
# This may be replaced when dependencies are built.
