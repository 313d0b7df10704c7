; Labels start with a colon; GOTO may also take a computed label.
tries = 0
:again
tries++
IF tries < 3 {
    GOTO :again
}
target = ":done" + tries
GOTO target
:done2
MESSAGE("not reached")
:done3
MESSAGE(FORMAT("%d tries", tries))
