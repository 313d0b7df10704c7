x = 5 && 0
MESSAGE(x)
y = 0 || MESSAGE("right side ran")
MESSAGE(y)
z = 1 || MESSAGE("skipped")
MESSAGE(z)
