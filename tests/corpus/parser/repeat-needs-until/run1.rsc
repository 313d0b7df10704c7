REPEAT {
  x = 1
} while x
