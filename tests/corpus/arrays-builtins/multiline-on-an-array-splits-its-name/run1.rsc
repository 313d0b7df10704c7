ARRAYINIT("a", "p\nq", "y", "z")
MULTILINETOSTRINGARRAY("a")
MESSAGE(JOIN("a", ","))
