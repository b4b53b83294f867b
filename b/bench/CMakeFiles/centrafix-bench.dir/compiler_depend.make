# Empty compiler generated dependencies file for centrafix-bench.
# This may be replaced when dependencies are built.
