# Empty custom commands generated dependencies file for centrafix_shell_autogen.
# This may be replaced when dependencies are built.
