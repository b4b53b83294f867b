# Empty compiler generated dependencies file for centrafix_aero.
# This may be replaced when dependencies are built.
