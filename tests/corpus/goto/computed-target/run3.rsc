GOTO "again"
:again
MESSAGE("not reached")
