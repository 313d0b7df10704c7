y = 1 // trailing comment
  z = = 2
