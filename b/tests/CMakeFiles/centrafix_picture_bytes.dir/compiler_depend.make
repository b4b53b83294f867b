# Empty compiler generated dependencies file for centrafix_picture_bytes.
# This may be replaced when dependencies are built.
