x = 5
y = x++
z = ++x
w = x--
v = --x
u++
MESSAGE("" + x + "," + y + "," + z + "," + w + "," + v + "," + u)
