file(REMOVE_RECURSE
  "libcentrafix_example.a"
)
