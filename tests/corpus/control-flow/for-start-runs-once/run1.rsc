FUNC start() {
  MESSAGE("start")
  RETURN 0
}
FOR (i = start(), i < 2, i++) {
  MESSAGE("body " + i)
}
