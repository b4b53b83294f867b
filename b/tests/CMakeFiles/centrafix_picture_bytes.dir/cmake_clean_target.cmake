file(REMOVE_RECURSE
  "libcentrafix_picture_bytes.a"
)
