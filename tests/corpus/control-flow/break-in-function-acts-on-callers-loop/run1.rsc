FUNC f() {
  BREAK
  MESSAGE("not in f")
}
FOR (i = 0, i < 5, i++) {
  x = f() + MESSAGE("rest " + i)
  MESSAGE("after call")
}
MESSAGE("i=" + i)
