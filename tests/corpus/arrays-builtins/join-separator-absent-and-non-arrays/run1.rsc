ARRAYINIT("a", 1, "two", 3)
MESSAGE(JOIN("a"))
MESSAGE(JOIN(a, "-"))
MESSAGE("[" + JOIN("nothing", ",") + "]")
x = 5
MESSAGE("[" + JOIN("x", ",") + "]")
