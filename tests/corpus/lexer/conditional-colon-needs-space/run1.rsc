c = 0
x = c ? 2 : 3
MESSAGE(x)
