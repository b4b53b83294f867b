file(REMOVE_RECURSE
  "libcentrafix_picture.a"
)
