# Empty compiler generated dependencies file for centrafix_shell_tests.
# This may be replaced when dependencies are built.
