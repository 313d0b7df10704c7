t = "one\r\ntwo\rthree\nfour"
MESSAGE(MULTILINETOSTRINGARRAY("t"))
MESSAGE("" + ARRAYSIZE("t") + " " + JOIN("t", "|"))
u = "x\n"
MULTILINETOSTRINGARRAY("u")
MESSAGE("" + ARRAYSIZE("u") + "[" + u[1] + "]")
e = ""
MULTILINETOSTRINGARRAY("e")
MESSAGE("" + ARRAYSIZE("e") + "[" + e[0] + "]")
MESSAGE(MULTILINETOSTRINGARRAY("absent"))
MESSAGE(TYPEOF("absent"))
