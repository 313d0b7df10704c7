x = 1
X = X + 1
x$ = "s"
MESSAGE("" + x + x$ + X$)
