# Empty compiler generated dependencies file for centrafix_batch.
# This may be replaced when dependencies are built.
