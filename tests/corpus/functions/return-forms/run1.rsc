FUNC none() {
  RETURN
}
FUNC noreturn() {
  x = 5
}
FUNC str() {
  RETURN "s"
}
FUNC inloop() {
  WHILE 1 {
    RETURN 3
  }
  RETURN 4
}
MESSAGE("" + none() + noreturn() + str() + inloop())
