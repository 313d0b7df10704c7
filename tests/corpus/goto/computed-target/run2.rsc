GOTO ":" + "fin"
MESSAGE("skipped")
:fin
MESSAGE("concatenated")
