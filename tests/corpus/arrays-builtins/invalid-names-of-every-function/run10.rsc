MESSAGE(SPLIT("a,b", ",", "p$"))
