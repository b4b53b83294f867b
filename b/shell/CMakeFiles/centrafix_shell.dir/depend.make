# Empty dependencies file for centrafix_shell.
# This may be replaced when dependencies are built.
