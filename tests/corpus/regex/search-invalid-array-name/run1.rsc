p = 5
x = REGEX_SEARCH("abc", "b", "p", "l$")
MESSAGE("not reached")
