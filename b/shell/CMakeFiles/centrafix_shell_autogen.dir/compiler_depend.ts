# CMAKE generated file: DO NOT EDIT!
# Timestamp file for custom commands dependencies management for centrafix_shell_autogen.
