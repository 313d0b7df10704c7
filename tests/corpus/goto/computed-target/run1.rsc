t = ":end"
GOTO t
MESSAGE("skipped")
:END
MESSAGE("computed")
