file(REMOVE_RECURSE
  "libcentrafix_batch.a"
)
