file(REMOVE_RECURSE
  "libcentrafix_metafile_builder.a"
)
