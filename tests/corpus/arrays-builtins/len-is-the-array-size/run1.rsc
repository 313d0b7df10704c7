s = "hello"
MESSAGE(LEN("s"))
MESSAGE(LEN("absent"))
ARRAYINIT("a", 1, 2)
MESSAGE(LEN(a) + Len$("A"))
MESSAGE(LEN("a b"))
MESSAGE(ARRAYSIZE("a$"))
MESSAGE("the run goes on")
