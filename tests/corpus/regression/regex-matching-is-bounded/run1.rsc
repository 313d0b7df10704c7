; Every start compares the rest of the text again: without a bound, seconds in one call.
t = PADLEFT("", 100000, "a")
MESSAGE(REGEX_SEARCH(t, "(?=(a*))\\1b"))
MESSAGE("[" + REGEX_REPLACE(t, "(?=(a*))\\1b", "x") + "]")
MESSAGE("the run goes on")
