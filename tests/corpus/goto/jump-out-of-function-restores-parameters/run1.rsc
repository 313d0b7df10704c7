x = 1
FUNC f(x) {
  GOTO :out
}
f(99)
MESSAGE("skipped")
:out
MESSAGE(x)
