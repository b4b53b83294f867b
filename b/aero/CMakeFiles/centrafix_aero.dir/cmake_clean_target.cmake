file(REMOVE_RECURSE
  "libcentrafix_aero.a"
)
