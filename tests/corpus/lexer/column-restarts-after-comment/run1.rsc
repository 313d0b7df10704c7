# a comment line
  x = = 1
