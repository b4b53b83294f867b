# Empty dependencies file for centrafix.
# This may be replaced when dependencies are built.
