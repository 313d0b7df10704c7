FUNC f() {
  RETURN 3 MESSAGE("never")
}
IF 1 { MESSAGE("if")
} MESSAGE("after if")
WHILE 0 {} MESSAGE("after while")
REPEAT {
} UNTIL 1 MESSAGE("after repeat")
GOTO :l MESSAGE("skipped")
:l MESSAGE("at label")
MESSAGE(f())
