DEFINE("KEEPVAR", 1)
x = 10
y = x /= 0
MESSAGE("not reached")
