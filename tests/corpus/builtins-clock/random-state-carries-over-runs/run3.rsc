SRAND(7)
MESSAGE("" + (a == RAND()) + (b == RAND()))
