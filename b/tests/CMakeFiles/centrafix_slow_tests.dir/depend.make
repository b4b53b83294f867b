# Empty dependencies file for centrafix_slow_tests.
# This may be replaced when dependencies are built.
