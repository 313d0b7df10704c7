WHILE 1 / 0 + 1 {
  MESSAGE("first")
  MESSAGE("second")
}
MESSAGE("after")
