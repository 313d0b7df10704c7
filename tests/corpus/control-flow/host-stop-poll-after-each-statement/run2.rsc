IF 1 {
  MESSAGE("a")
  MESSAGE("b")
}
MESSAGE("c")
MESSAGE("d")
