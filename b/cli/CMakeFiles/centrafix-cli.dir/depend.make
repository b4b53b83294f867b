# Empty dependencies file for centrafix-cli.
# This may be replaced when dependencies are built.
