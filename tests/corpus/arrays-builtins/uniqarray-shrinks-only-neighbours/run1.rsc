ARRAYINIT("u", "a", "a", "b", "a")
MESSAGE(UNIQARRAY("u"))
MESSAGE(JOIN("u", ","))
ARRAYINIT("n", 5, "5", 6, 6, 6)
UNIQARRAY("n")
MESSAGE(JOIN("n", ","))
x = 1
MESSAGE(UNIQARRAY("x"))
