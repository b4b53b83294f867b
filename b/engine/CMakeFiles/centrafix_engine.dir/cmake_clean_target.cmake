file(REMOVE_RECURSE
  "libcentrafix_engine.a"
)
