# Empty compiler generated dependencies file for centrafix_test_raster.
# This may be replaced when dependencies are built.
