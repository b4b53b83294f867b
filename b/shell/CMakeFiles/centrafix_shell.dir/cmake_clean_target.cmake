file(REMOVE_RECURSE
  "libcentrafix_shell.a"
)
