# Empty compiler generated dependencies file for centrafix_engine.
# This may be replaced when dependencies are built.
