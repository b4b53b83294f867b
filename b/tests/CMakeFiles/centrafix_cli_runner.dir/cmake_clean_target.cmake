file(REMOVE_RECURSE
  "libcentrafix_cli_runner.a"
)
