GOTO :skip MESSAGE("skipped")
MESSAGE("skipped too")
:skip MESSAGE("landed")
