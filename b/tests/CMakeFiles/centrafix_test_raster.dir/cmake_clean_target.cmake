file(REMOVE_RECURSE
  "libcentrafix_test_raster.a"
)
