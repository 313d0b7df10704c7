n = 0
:Again
n++
IF n < 3 {
  goto :AGAIN
}
GOTO :again2
MESSAGE("skipped")
:AGAIN2
MESSAGE(n)
