# Empty dependencies file for centrafix-make-example.
# This may be replaced when dependencies are built.
