# Empty dependencies file for centrafix_example.
# This may be replaced when dependencies are built.
