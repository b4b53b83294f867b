# Empty dependencies file for centrafix_cli_tests.
# This may be replaced when dependencies are built.
