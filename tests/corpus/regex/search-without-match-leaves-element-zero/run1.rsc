ARRAYINIT("p", 7, 8, 9)
MESSAGE(REGEX_SEARCH("abc", "x", "p", "l"))
MESSAGE(JOIN("p", ",") + "/" + JOIN("l", ",") + " " + TYPEOF("l") + " " + l)
