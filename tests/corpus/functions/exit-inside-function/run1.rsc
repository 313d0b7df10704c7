FUNC f() {
  EXIT 3
  MESSAGE("not in f")
}
x = f() + MESSAGE("rest of statement")
MESSAGE("not reached")
