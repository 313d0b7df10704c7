GOTO :L
:L
MESSAGE("first")
:L
MESSAGE("second")
