# Empty dependencies file for centrafix_metafile_builder.
# This may be replaced when dependencies are built.
