# Empty dependencies file for centrafix_cli_runner.
# This may be replaced when dependencies are built.
