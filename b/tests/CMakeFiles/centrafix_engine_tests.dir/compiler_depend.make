# Empty compiler generated dependencies file for centrafix_engine_tests.
# This may be replaced when dependencies are built.
