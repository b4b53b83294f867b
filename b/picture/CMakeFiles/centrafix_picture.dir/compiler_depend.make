# Empty compiler generated dependencies file for centrafix_picture.
# This may be replaced when dependencies are built.
