DEFINE("KEEPVAR", 1)
x = 5
x = 1 / 0 + MESSAGE("same statement")
MESSAGE("not reached")
