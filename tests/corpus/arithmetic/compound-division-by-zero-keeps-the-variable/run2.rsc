DEFINE("KEEPVAR", 1)
z = 7
w = z %= 0
