; 4194304 elements fill one array; stored into another, they still count, with that array's own.
RESIZE("a", 4194304)
MESSAGE(ARRAYSIZE("a"))
b[0] = 1
b[1] = a
MESSAGE("not reached")
