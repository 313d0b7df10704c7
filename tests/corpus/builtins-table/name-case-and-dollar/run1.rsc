MESSAGE("" + abs(-3) + ABS$(-3) + Abs(-3) + aBs$(-3))
