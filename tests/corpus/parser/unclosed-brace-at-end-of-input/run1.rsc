IF 1 {
  x = 1
