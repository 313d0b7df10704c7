FOR (x = 1, x <= 3, x++) {
  IF x == 1 {
    MESSAGE("one")
  } ELSE IF x == 2 {
    MESSAGE("two")
  } else {
    MESSAGE("other")
  }
}
