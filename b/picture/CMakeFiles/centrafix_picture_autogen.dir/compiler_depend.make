# Empty custom commands generated dependencies file for centrafix_picture_autogen.
# This may be replaced when dependencies are built.
