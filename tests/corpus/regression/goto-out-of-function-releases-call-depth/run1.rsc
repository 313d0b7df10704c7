n = 0
FUNC g() {
  GOTO :back
}
:back
n++
IF n <= 600 {
  g()
}
MESSAGE(ABS(-n))
